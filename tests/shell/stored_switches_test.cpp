#include "shell/stored_switches.h"

#include <gtest/gtest.h>

#include "book/book_session.h"
#include "platform/registry.h"
#include "shell/main_form.h"
#include "test_support.h"

namespace shelf {
namespace {

class StoredSwitchesTest : public test::IsolatedTest {};

TEST_F(StoredSwitchesTest, StoredStatesSurviveARestartAndSharedNamesShareOneState) {
  std::vector<RScreen> screens(12);
  screens[1].SwitchesOne.resize(13);
  screens[11].SwitchesOne.resize(3);
  screens[0].SwitchesGrp.resize(2);
  RSwthOne& a = screens[1].SwitchesOne[12];  // "SwOne112"
  RSwthOne& b = screens[11].SwitchesOne[2];  // "SwOne112" as well
  a.Store = b.Store = 1;
  a.State = 1;
  screens[0].SwitchesGrp[1].Store = 1;
  screens[0].SwitchesGrp[1].State = 1;
  screens[0].SwitchesGrp[0].State = 1;  // not stored
  {
    TRegistry key;
    ASSERT_TRUE(key.OpenKey(SettingsKeyPath("Книга"), true));
    WriteStoredSwitchStates(key, screens);
    EXPECT_EQ(key.ReadBool("swone112"), false);  // the later switch of the two wrote last
    EXPECT_FALSE(key.ValueExists("SwGrp00"));
  }
  std::vector<RScreen> restarted(12);
  restarted[1].SwitchesOne.resize(13);
  restarted[11].SwitchesOne.resize(3);
  restarted[0].SwitchesGrp.resize(2);
  restarted[1].SwitchesOne[12].Store = restarted[11].SwitchesOne[2].Store = 1;
  restarted[1].SwitchesOne[12].State = 1;
  restarted[1].SwitchesOne[12].Hover = 1;
  restarted[0].SwitchesGrp[1].Store = 1;
  TRegistry key;
  ASSERT_TRUE(key.OpenKey(SettingsKeyPath("Книга"), false));
  ReadStoredSwitchStates(key, restarted);
  EXPECT_EQ(restarted[1].SwitchesOne[12].State, 0);
  EXPECT_EQ(restarted[1].SwitchesOne[12].Hover, 0);
  EXPECT_EQ(restarted[0].SwitchesGrp[1].State, 1);
}

// A book without a title keeps its switches too (under the bare "SOFTWARE\Brevandor\" key), and
// names no single-instance lock: a second untitled book opens beside it.
TEST_F(StoredSwitchesTest, TheMainWindowKeepsAStoredSwitchAcrossTwoRuns) {
  for (const std::string title : {"Switches", ""}) {
    const std::filesystem::path book = Dir() / ("book" + title);
    test::WriteTree(book / "run",
                    {{"Struct.txt",
                      "1switchone vx=10;vy=10;fn1=a.bmp;fn2=a.bmp;fn3=a.bmp;fn4=a.bmp;state=off\r\n"
                      "store=on;goup=x;godown=y;hint=h;wav=no\r\n"
                      "1_screen=fon1.bmp\r\n"},
                     {"Title.txt", title}});
    for (int run = 0; run < 2; ++run) {
      std::string error;
      auto session = OpenBookSession(book, error);
      ASSERT_TRUE(session) << error;
      TMainForm form(*session);
      ASSERT_EQ(form.BuildBookShell(), std::nullopt) << title;
      auto& switches = form.Description().Screens.at(0).SwitchesOne;
      ASSERT_EQ(switches.size(), 1u);
      // Off from the description, then on from the settings.
      EXPECT_EQ(switches[0].State, run) << title;
      switches[0].State = 1;
      if (!title.empty()) continue;
      auto other = OpenBookSession(book, error);
      TMainForm second(*other);
      EXPECT_EQ(second.BuildBookShell(), std::nullopt);
      EXPECT_FALSE(second.NotMainShell());
    }
  }
}

}  // namespace
}  // namespace shelf
