#include "shell/command_dispatcher.h"

#include <array>
#include <utility>

#include "media/background_music.h"
#include "media/sound.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "store/book_text.h"

namespace shelf {
namespace {

bool Contains(const std::string& text, const char* word) {
  return text.find(word) != std::string::npos;
}

// "play", "stop", "pause", "stepforward", "stepback" on the clip player; device errors are
// ignored.
void ClipControl(TSound& clips, const std::string& command) {
  try {
    if (command == "play") {
      clips.PlayClip("", "", kPlayKindNothing);
    } else if (command == "stop") {
      clips.Stop();
    } else if (command == "pause") {
      clips.SetNotify(false);  // a paused and resumed sound ends without acting on its end
      clips.Pause();
    } else if (command == "stepforward") {
      clips.StepForward();
    } else if (command == "stepback") {
      clips.StepBack();
    }
  } catch (const EMCIDeviceError&) {
  }
}

}  // namespace

TCommandRule RecogniseCommand(const std::string& command) {
  using R = TCommandRule;
  const std::string word = CommandWord(command);
  // Commands from pages and messages keep their case; this one word is compared lower-cased.
  if (Contains(AsciiLower(word), "screen")) return R::Screen;
  // Exact words and "contains" words, in the order they are tried.
  struct Rule {
    const char* text;
    bool contains;
    R rule;
  };
  static constexpr std::array<Rule, 16> kUpToHtml = {{
      {"2d", false, R::View2d},
      {"3d", false, R::View3d},
      {nullptr, false, R::Run},  // the command word "run", tested below
      {"about", false, R::About},
      {"minimize", false, R::Minimize},
      {"tree1", true, R::Tree1},
      {"tree2", true, R::Tree2},
      {"ontree", true, R::OnTree},
      {"offtree", true, R::OffTree},
      {"historyback", false, R::HistoryBack},
      {"historyforward", false, R::HistoryForward},
      {"showfavorite", false, R::ShowFavorite},
      {"addtofavorite", false, R::AddToFavorite},
      {"deletefromfavorite", false, R::DeleteFromFavorite},
      {"tesaurus", false, R::Tesaurus},
      {"contextmenu", true, R::ContextMenu},
  }};
  static constexpr std::array<Rule, 20> kAfterHtml = {{
      {"copyhtml", false, R::CopyHtml},
      {"printhtml", false, R::PrintHtml},
      {"tophtml", false, R::TopHtml},
      {"nextchapter", false, R::NextChapter},
      {"prevchapter", false, R::PrevChapter},
      {"findnext", true, R::FindNext},
      {"findtxtall", true, R::FindTxtAll},
      {"findtxtlimit", true, R::FindTxtLimit},
      {"caseon", false, R::CaseOn},
      {"caseoff", false, R::CaseOff},
      {"bgsound", false, R::BgSound},
      {"standartwin", false, R::StandartWin},
      {"options", false, R::Options},
      {"help", false, R::Help},
      {"unarc", false, R::Unarc},
      {"play", false, R::ClipControl},
      {"stop", false, R::ClipControl},
      {"pause", false, R::ClipControl},
      {"stepforward", false, R::ClipControl},
      {"stepback", false, R::ClipControl},
  }};
  const auto matches = [&](const Rule& r) {
    if (!r.text) return word == "run";
    return r.contains ? Contains(command, r.text) : command == r.text;
  };
  for (const Rule& r : kUpToHtml)
    if (matches(r)) return r.rule;
  if (command == "back") return R::Back;
  if (command == "forward") return R::Forward;
  if (Contains(word, "html")) return R::Html;
  for (const Rule& r : kAfterHtml)
    if (matches(r)) return r.rule;
  if (Contains(word, "clip")) return R::Clip;
  if (command == "nextpic") return R::NextPic;
  if (command == "prevpic") return R::PrevPic;
  if (command == "installfonts") return R::InstallFonts;
  return R::ScreenNumber;
}

void TCommandDispatcher::ExecuteCommand(const std::string& command, const std::string& sound,
                                        bool soundSuppressed, TElementKind kind, int index) {
  if (host_.Busy()) return;
  if (command == "exit") {
    host_.CloseBook(kind, index);  // its sound plays at shutdown, to its end
    return;
  }
  if (!sound.empty() && sound != "no" && host_.ButtonSoundsOn() && !soundSuppressed)
    host_.PlayButtonSound(sound);

  switch (RecogniseCommand(command)) {
    case TCommandRule::Screen: {
      // "screen2" names screen index 1; a number that names no screen is ignored.
      const int screen = ValueInt(CommandWord(command), 1) - 1;
      if (screen >= 0 && screen < host_.ScreenCount()) host_.SwitchScreen(screen, kind, index);
      break;
    }
    case TCommandRule::View3d:
    case TCommandRule::View2d:
      host_.ShowVideoPanel(RecogniseCommand(command) == TCommandRule::View3d);
      break;
    case TCommandRule::Run:
      host_.RunDocument(ValueBetweenEquals(command, folders_),
                        ValueAfterLastEquals(command, folders_));
      break;
    case TCommandRule::Minimize:
      host_.Minimize(kind, index);
      break;
    case TCommandRule::Html:
      // The number after "html" names the page area.
      if (pages_) pages_->ShowPage(ValueInt(command, 5), ValueBetweenEquals(command, folders_));
      break;
    case TCommandRule::CopyHtml:
      if (pages_) pages_->CopyPageFiles();
      break;
    case TCommandRule::TopHtml:
      if (pages_) pages_->ScrollToTop();
      break;
    case TCommandRule::CaseOn:
      caseSensitiveFind_ = true;
      break;
    case TCommandRule::CaseOff:
      caseSensitiveFind_ = false;
      break;
    case TCommandRule::BgSound:
      if (kind == TElementKind::Button && music_) music_->Toggle(clips_);
      break;
    case TCommandRule::ClipControl:
      if (clips_) ClipControl(*clips_, command);
      break;
    case TCommandRule::Clip:
      if (clips_)
        clips_->PlayClip(ValueBetweenEquals(command, folders_),
                         ValueAfterLastEquals(command, folders_), kPlayKindClip);
      break;
    case TCommandRule::ScreenNumber: {
      const int screen = ValueInt(command, 1) - 1;
      if (screen >= 0 && screen <= host_.LastScreenWithPicture())
        host_.SwitchScreen(screen, kind, index);
      break;
    }
    default:
      // The remaining rules act on trees, popups, dialogs, printing and media; a book window
      // without those components has nothing for them to do.
      break;
  }
}

}  // namespace shelf
