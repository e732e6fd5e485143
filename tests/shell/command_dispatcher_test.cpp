#include "shell/command_dispatcher.h"

#include <gtest/gtest.h>

#include <vector>

#include "book/element_records.h"

namespace shelf {
namespace {

TEST(CommandDispatcher, RulesAreTriedInTheirOrder) {
  using R = TCommandRule;
  const std::pair<const char*, R> cases[] = {
      {"screen2=page.htm", R::Screen},
      {"Screen2=a.htm", R::Screen},  // from a page or a message: the word is lower-cased
      {"screen2", R::ScreenNumber},  // no '=': no command word
      {"html2", R::ScreenNumber},
      {"html3=a.htm", R::Html},
      {"2", R::ScreenNumber},
      {"2d", R::View2d},
      {"3d", R::View3d},
      {"run=a.exe=-x", R::Run},
      {"run", R::ScreenNumber},
      {"minimize", R::Minimize},
      {"showtree1", R::Tree1},
      {"tree2", R::Tree2},
      {"offtree", R::OffTree},
      {"ontree", R::OnTree},
      {"contextmenu5", R::ContextMenu},
      {"historyback", R::HistoryBack},
      {"back", R::Back},
      {"copyhtml", R::CopyHtml},
      {"printhtml", R::PrintHtml},
      {"findnext2", R::FindNext},
      {"caseon", R::CaseOn},
      {"wavoff", R::WavOff},  // not the "offtree" rule
      {"play", R::ClipControl},
      {"clip=a.avi=b.htm", R::Clip},
      {"installfonts", R::InstallFonts},
      {"screen1=tree1", R::Screen},   // the screen rule comes before "contains tree1"
      {"html1=tree2.htm", R::Tree2},  // ... while "contains tree2" comes before html
      {"nextsong", R::ScreenNumber},  // a word without an action
  };
  for (const auto& [command, rule] : cases) EXPECT_EQ(RecogniseCommand(command), rule) << command;
}

struct FakeHost : TCommandHost {
  bool busy = false, sounds = true;
  int screens = 3, lastWithPicture = 1;
  std::vector<std::string> calls;
  bool Busy() const override { return busy; }
  bool ButtonSoundsOn() const override { return sounds; }
  void SetButtonSounds(bool on) override {
    sounds = on;
    calls.push_back(on ? "sounds on" : "sounds off");
  }
  void PlayButtonSound(const std::string& name) override { calls.push_back("sound " + name); }
  void CloseBook(TElementKind, int index) override {
    calls.push_back("close " + std::to_string(index));
  }
  void Minimize(TElementKind, int) override { calls.push_back("minimize"); }
  int LastScreenWithPicture() const override { return lastWithPicture; }
  int ScreenCount() const override { return screens; }
  void SwitchScreen(int screen, TElementKind, int) override {
    calls.push_back("screen " + std::to_string(screen));
  }
  void RunDocument(const std::string& file, const std::string& parameters) override {
    calls.push_back("run " + file + " " + parameters);
  }
  RScreen screen;
  RScreen& Screen() override { return screen; }
  QPoint MapToScreen(QPoint at) const override { return at; }
  void ShiftPress(QPoint at) override {
    calls.push_back("press " + std::to_string(at.x()) + "," + std::to_string(at.y()));
  }
  void ExtractShownArchive() override { calls.push_back("unarc"); }
  void ShowOptions() override { calls.push_back("options"); }
  void ShowAbout() override { calls.push_back("about"); }
  void StepPicture(bool forward) override { calls.push_back(forward ? "next" : "previous"); }
  void InstallPageFonts() override { calls.push_back("fonts"); }
  void LookUpThesaurus(const std::string& word) override { calls.push_back("thesaurus " + word); }
  void EnterPlainWindow() override { calls.push_back("plain"); }
  void HelpKey() override { calls.push_back("help"); }
  void ShowVideoPanel(bool on) override { calls.push_back(on ? "3d" : "2d"); }
};

TEST(CommandDispatcher, ExecutesWithTheElementSoundUnlessSilenced) {
  const TBookFolders folders{"d:\\book\\run\\", "d:\\book\\", "d:\\", {}, {}, {}};
  struct Case {
    const char* command;
    const char* sound;
    bool suppressed, busy, sounds;
    std::vector<std::string> calls;
  } cases[] = {
      {"exit", "bye.wav", false, false, true, {"close 4"}},  // its sound plays at shutdown
      {"minimize", "click.wav", false, false, true, {"sound click.wav", "minimize"}},
      {"minimize", "click.wav", true, false, true, {"minimize"}},
      {"minimize", "no", false, false, true, {"minimize"}},
      {"minimize", "click.wav", false, false, false, {"minimize"}},  // button sounds off
      {"minimize", "click.wav", false, true, true, {}},              // busy: nothing at all
      {"2", "", false, false, true, {"screen 1"}},
      {"3", "", false, false, true, {}},  // beyond the last screen with a picture
      {"0", "", false, false, true, {}},
      {"screen3=a.htm", "", false, false, true, {"screen 2"}},
      {"screen9=a.htm", "", false, false, true, {}},  // names no screen
      {"screen2", "", false, false, true, {"screen 1"}},
      {"run=..\\docs\\a.pdf=-x", "", false, false, true, {"run d:\\book\\docs\\a.pdf -x"}},
      {"options", "", false, false, true, {"options"}},
      {"about", "", false, false, true, {"about"}},
      {"nextpic", "", false, false, true, {"next"}},
      {"prevpic", "", false, false, true, {"previous"}},
      {"installfonts", "", false, false, true, {"fonts"}},
      {"tesaurus", "", false, false, true, {"thesaurus "}},  // always from its first entry
      {"standartwin", "", false, false, true, {"plain"}},
      {"help", "", false, false, true, {"help"}},
      // The button-sound switch: switched on it is still silent, switched off it clicks last.
      {"wavon", "switch.wav", false, false, false, {"sounds on"}},
      {"wavoff", "switch.wav", false, false, true, {"sound switch.wav", "sounds off"}},
  };
  for (const auto& c : cases) {
    FakeHost host;
    host.busy = c.busy;
    host.sounds = c.sounds;
    TCommandDispatcher dispatcher(host, folders);
    dispatcher.ExecuteCommand(c.command, c.sound, c.suppressed, TElementKind::Button, 4);
    EXPECT_EQ(host.calls, c.calls) << c.command;
  }
  FakeHost host;
  TCommandDispatcher dispatcher(host, folders);
  dispatcher.ExecuteCommand("caseon", "", true, TElementKind::SwitchOne, 0);
  EXPECT_TRUE(dispatcher.CaseSensitiveFind());
  dispatcher.ExecuteCommand("caseoff", "", true, TElementKind::SwitchOne, 0);
  EXPECT_FALSE(dispatcher.CaseSensitiveFind());
}

}  // namespace
}  // namespace shelf
