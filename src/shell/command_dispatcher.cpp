#include "shell/command_dispatcher.h"

#include <array>
#include <utility>

#include <QCursor>

#include "book/element_records.h"
#include "dialogs/cool_dialog.h"
#include "media/background_music.h"
#include "media/sound.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "popup/control_popup_window.h"
#include "search/contents_trees.h"
#include "search/find_txt_html.h"
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
  static constexpr std::array<Rule, 22> kAfterHtml = {{
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
      {"wavon", false, R::WavOn},
      {"wavoff", false, R::WavOff},
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

  const TCommandRule rule = RecogniseCommand(command);
  switch (rule) {
    case TCommandRule::Screen: {
      // "screen2" names screen index 1; a number that names no screen is ignored.
      const std::int64_t screen = std::int64_t{ValueInt(CommandWord(command), 1)} - 1;
      if (trees_) trees_->SetSectionPage(ValueBetweenEquals(command, folders_));
      if (screen >= 0 && screen < host_.ScreenCount()) host_.SwitchScreen(int(screen), kind, index);
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
    case TCommandRule::Tree1:
    case TCommandRule::Tree2:
      if (trees_) trees_->ShowTree(RecogniseCommand(command) == TCommandRule::Tree1 ? 1 : 2);
      break;
    case TCommandRule::OnTree:
    case TCommandRule::OffTree:
      if (trees_) trees_->SetTreesOff(RecogniseCommand(command) == TCommandRule::OffTree);
      break;
    case TCommandRule::HistoryBack:
      ShowPopupAtButton(kPopupHistoryBack, kind, index, true);
      break;
    case TCommandRule::HistoryForward:
      ShowPopupAtButton(kPopupHistoryForward, kind, index, false);
      break;
    case TCommandRule::ShowFavorite:
      ShowPopupAtButton(kPopupFavorite, kind, index, false);
      break;
    case TCommandRule::AddToFavorite:
      if (popups_) popups_->AddFavorite();
      break;
    case TCommandRule::DeleteFromFavorite:
      ShowPopupAtButton(TControlPopupWindow::kDeleteFavorite, kind, index, false);
      break;
    case TCommandRule::ContextMenu:
      // The number written after the word "contextmenu".
      if (popups_ && kind == TElementKind::Button)
        popups_->ShowPopup(ValueInt(command, 11), QCursor::pos());
      break;
    case TCommandRule::Back:
    case TCommandRule::Forward:
      GoInHistory(command == "back");
      break;
    case TCommandRule::Html: {
      // The number after "html" names the page area.
      const std::string page = ValueBetweenEquals(command, folders_);
      if (pages_) pages_->AddSectionTrail(page);
      if (pages_) pages_->ShowPage(ValueInt(command, 5), page);
      break;
    }
    case TCommandRule::NextChapter:
      if (trees_) trees_->NextChapter();
      break;
    case TCommandRule::PrevChapter:
      if (trees_) trees_->PreviousChapter();
      break;
    case TCommandRule::CopyHtml:
      if (pages_) pages_->CopyPageFiles();
      break;
    case TCommandRule::PrintHtml:
      if (pages_) pages_->PrintPage("");
      break;
    case TCommandRule::TopHtml:
      if (pages_) pages_->ScrollToTop();
      break;
    case TCommandRule::FindNext:
      // With the drawn dialog the find page opens; without it the boxes sit on the window.
      if (dialog_)
        dialog_->ShowDialogPage(TCoolDialog::kFindPage, "");
      else if (finder_)
        finder_->FindNext(ValueInt(command, 9));
      break;
    case TCommandRule::FindTxtAll:
    case TCommandRule::FindTxtLimit:
      if (finder_) finder_->SetScope(rule == TCommandRule::FindTxtAll);
      break;
    case TCommandRule::Unarc:
      // Without a listing on show the reader is asked to pick a file first.
      if (pages_ && pages_->ArchiveMode())
        host_.ExtractShownArchive();
      else
        ShowBookMessage(dialog_, *Utf8ToCp1251("Выберите файл для распаковки."));
      break;
    case TCommandRule::Options:
      host_.ShowOptions();
      break;
    case TCommandRule::Tesaurus:
      host_.LookUpThesaurus("");
      break;
    case TCommandRule::StandartWin:
      host_.EnterPlainWindow();
      break;
    case TCommandRule::Help:
      host_.HelpKey();
      break;
    case TCommandRule::About:
      host_.ShowAbout();
      break;
    case TCommandRule::NextPic:
    case TCommandRule::PrevPic:
      host_.StepPicture(RecogniseCommand(command) == TCommandRule::NextPic);
      break;
    case TCommandRule::InstallFonts:
      host_.InstallPageFonts();
      break;
    case TCommandRule::CaseOn:
      caseSensitiveFind_ = true;
      break;
    case TCommandRule::CaseOff:
      caseSensitiveFind_ = false;
      break;
    case TCommandRule::WavOn:
    case TCommandRule::WavOff:
      host_.SetButtonSounds(RecogniseCommand(command) == TCommandRule::WavOn);
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
      const std::int64_t screen = std::int64_t{ValueInt(command, 1)} - 1;
      if (screen >= 0 && screen <= host_.LastScreenWithPicture())
        host_.SwitchScreen(int(screen), kind, index);
      break;
    }
    default:
      // The remaining rules act on trees, popups, dialogs, printing and media; a book window
      // without those components has nothing for them to do.
      break;
  }
}

void TCommandDispatcher::ShowPopupAtButton(int number, TElementKind kind, int index,
                                           bool rightCorner) {
  if (!popups_ || kind != TElementKind::Button || index < 0 ||
      index >= static_cast<int>(host_.Screen().Buttons.size()))
    return;
  const RBtn& button = host_.Screen().Buttons[index];
  const QPoint corner(rightCorner ? button.Right : button.Left, button.Bottom);
  popups_->ShowPopup(number, host_.MapToScreen(corner));
}

void TCommandDispatcher::GoInHistory(bool back) {
  if (!pages_) return;
  std::vector<QPoint> presses;
  const RScreen& screen = host_.Screen();
  back ? pages_->GoBack(screen, presses) : pages_->GoForward(screen, presses);
  for (const QPoint& at : presses) host_.ShiftPress(at);
}

}  // namespace shelf
