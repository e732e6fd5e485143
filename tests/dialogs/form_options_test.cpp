#include "dialogs/form_options.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "platform/cp1251.h"
#include "platform/registry.h"
#include "test_support.h"

namespace shelf {
namespace {

constexpr const char* kKey = "SOFTWARE\\Brevandor\\Options";

class FormOptionsTest : public test::IsolatedTest {
 protected:
  std::vector<std::string> StoredNames() {
    TRegistry key;
    EXPECT_TRUE(key.OpenKey(kKey, false));
    std::vector<std::string> names = key.GetValueNames();
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(FormOptionsTest, FirstRunWritesTheDefaultsOfTheGroupsTheBookHas) {
  using Names = std::vector<std::string>;
  const Names always = {"Animation", "BGSound", "Clip", "Hint", "Wav"};
  struct Case {
    TOptionGroups groups;
    Names extra;
    bool playerTab, picturesTab;
  } cases[] = {
      {{false, false}, {}, false, false},
      {{true, false},
       {"AutoStartPlayer", "NamePlayList1", "NamePlayList2", "NamePlayList3", "PlayingCyclic"},
       true,
       false},
      {{false, true}, {"ImageSequence", "RunSlideShow", "SlideShowTime"}, false, true},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    TProgramOptions options;
    TFormOptions form(options, c.groups, kKey);
    Names expected = always;
    expected.insert(expected.end(), c.extra.begin(), c.extra.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(StoredNames(), expected);
    EXPECT_EQ(form.Tabs()->isTabVisible(1), c.playerTab);
    EXPECT_EQ(form.Tabs()->isTabVisible(2), c.picturesTab);
    TRegistry key;
    key.OpenKey(kKey, false);
    EXPECT_EQ(key.ReadBool("Hint"), true);
    if (c.groups.SlidePictures) {
      EXPECT_EQ(key.ReadBool("RunSlideShow"), false);
      EXPECT_EQ(key.ReadInteger("SlideShowTime"), 5);
    }
    if (c.groups.Playlists) {
      EXPECT_EQ(key.ReadString("NamePlayList2"), "");
      EXPECT_TRUE(options.AutoStartPlayer);
    }
  }
}

TEST_F(FormOptionsTest, StoredValuesAreReadAndMistypedOnesReplaced) {
  {
    TRegistry key;
    key.OpenKey(kKey, true);
    key.WriteBool("Wav", false);
    key.WriteString("Hint", "yes");  // not a boolean: the default replaces it
    key.WriteInteger("SlideShowTime", 8);
  }
  TProgramOptions options;
  TFormOptions form(options, {false, true}, kKey);
  EXPECT_FALSE(options.Wav);
  EXPECT_TRUE(options.Hint);
  EXPECT_EQ(options.SlideShowTime, 8);
  TRegistry key;
  key.OpenKey(kKey, false);
  EXPECT_EQ(key.ReadBool("Hint"), true);
}

TEST_F(FormOptionsTest, OpensCentredOnTheScreenNotOverItsWindow) {
  QWidget window;
  window.setGeometry(0, 0, 300, 200);
  window.show();
  TProgramOptions options;
  TFormOptions form(options, {false, true}, kKey, &window);
  form.ShowOptions();
  const QPoint centre = window.screen()->availableGeometry().center();
  EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 8);
}

TEST_F(FormOptionsTest, TimeLabelFollowsTheTrackBar) {
  TProgramOptions options;
  TFormOptions form(options, {false, true}, kKey);
  form.ShowOptions();
  for (const auto& [n, text] :
       {std::pair{1, "1 секунда"}, {3, "3 секунды"}, {7, "7 секунд"}, {10, "10 секунд"}}) {
    form.TrackBarSlideShow()->setValue(n);
    EXPECT_EQ(form.LabelTimeSlideShow()->text().toStdString(), text);
  }
}

TEST_F(FormOptionsTest, OkAppliesAtOnceAndWritesOnlyWhatChanged) {
  TProgramOptions options;
  TFormOptions form(options, {false, true}, kKey);
  form.SetButtonSoundsAvailable(true);
  std::vector<std::string> events;
  form.OnSlideShowRun = [&](bool run) { events.push_back(run ? "run" : "stop"); };
  form.OnSlideShowInterval = [&](int ms) { events.push_back(std::to_string(ms)); };
  form.OnApplied = [&] { events.push_back("applied"); };
  {
    TRegistry key;  // a value written behind the dialog's back shows whether OK rewrote it
    key.OpenKey(kKey, true);
    key.WriteBool("RunSlideShow", true);
  }

  form.ShowOptions();
  QTest::mouseClick(form.ButtonOK(), Qt::LeftButton);  // nothing changed
  EXPECT_EQ(events, std::vector<std::string>{"applied"});
  TRegistry key;
  key.OpenKey(kKey, false);
  EXPECT_EQ(key.ReadInteger("SizeInterface"), 0);
  EXPECT_EQ(key.ReadBool("RunSlideShow"), true);
  EXPECT_FALSE(form.isVisible());

  events.clear();
  form.ShowOptions();
  form.CheckBoxRunSlideShow()->setChecked(true);
  form.TrackBarSlideShow()->setValue(7);
  form.SequenceItem(1)->setChecked(true);
  form.CheckBoxWav()->setChecked(false);
  form.InterfaceItem(2)->setChecked(true);
  QTest::mouseClick(form.ButtonOK(), Qt::LeftButton);
  EXPECT_EQ(events, (std::vector<std::string>{"run", "7001", "applied"}));
  EXPECT_TRUE(options.RunSlideShow);
  EXPECT_EQ(options.SlideShowTime, 7);
  EXPECT_EQ(options.ImageSequence, 1);
  EXPECT_FALSE(options.Wav);
  key.OpenKey(kKey, false);
  EXPECT_EQ(key.ReadInteger("SlideShowTime"), 7);
  EXPECT_EQ(key.ReadInteger("ImageSequence"), 1);
  EXPECT_EQ(key.ReadBool("Wav"), false);
  EXPECT_EQ(key.ReadInteger("SizeInterface"), 2);
}

TEST_F(FormOptionsTest, DisabledBoxTurnsItsSettingOffAndCancelWritesNothing) {
  TProgramOptions options;
  TFormOptions form(options, {false, false}, kKey);  // no sounds on any button: box disabled
  form.ShowOptions();
  form.reject();
  TRegistry key;
  key.OpenKey(kKey, false);
  EXPECT_FALSE(key.ValueExists("SizeInterface"));
  EXPECT_TRUE(options.Wav);

  form.ShowOptions();
  QTest::mouseClick(form.ButtonOK(), Qt::LeftButton);
  EXPECT_FALSE(options.Wav);
  EXPECT_FALSE(options.Clip);
  key.OpenKey(kKey, false);
  EXPECT_EQ(key.ReadBool("Wav"), false);
}

}  // namespace
}  // namespace shelf
