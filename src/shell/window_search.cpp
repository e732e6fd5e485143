#include "shell/window_search.h"

#include "book/book_session.h"
#include "dialogs/cool_dialog.h"
#include "html/book_url.h"
#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "search/contents_trees.h"
#include "search/find_txt_html.h"
#include "search/tree_views.h"
#include "shell/command_dispatcher.h"
#include "shell/shell_window.h"
#include "store/book_text.h"
#include "widgets/status_line.h"

namespace shelf {

TWindowSearch::TWindowSearch(TShellWindow& window, const TCommandDispatcher& dispatcher,
                             const TBookSession& session, const TDynamicFindTxtArray& boxes,
                             TSearchPieces pieces)
    : window_(window), dispatcher_(dispatcher), pieces_(pieces) {
  if (!boxes.empty())
    finder_ = std::make_unique<TFindTxtHtml>(*this, session.Store, session.FileSystem,
                                             session.Folders, boxes);
}

TWindowSearch::~TWindowSearch() = default;

void TWindowSearch::FindCommand(const std::string& command) {
  TCoolDialog* dialog = pieces_.Dialog;
  if (!finder_) {
    if (command == "findtxtall" && dialog) dialog->ShowFindResults({}, {});
    return;
  }
  if (window_.Busy()) {
    if (command.find("findnext") != std::string::npos) finder_->SetSearching(true);
    return;
  }
  if (command == "findtxtall") {
    finder_->SetIndexMode();
    if (dialog) dialog->ShowFindResults(finder_->ResultFiles(), finder_->ResultTitles());
  } else if (command.find("findtxtlimit") != std::string::npos) {
    finder_->SetScope(false);
  } else if (command.find("findtxtcontents") != std::string::npos) {
    finder_->SetContentsMode();
  } else if (command.find("findnext") != std::string::npos) {
    finder_->FindNext(ValueInt(command, 9));
  }
}

void TWindowSearch::FindInFoundPage() {
  if (finder_) finder_->FindInPage(1);
}

void TWindowSearch::SearchDialogClosed() {
  if (!finder_) return;
  finder_->SetSearching(true);
  ShowStatus("");  // what the search said goes with the dialog
}

void TWindowSearch::DialogPageShown(int page) {
  if (finder_) finder_->DialogPageShown(page);
}

bool TWindowSearch::StopRunningSearch() {
  if (!pieces_.Dialog || !pieces_.Dialog->isVisible() || !finder_ || finder_->SearchStopped())
    return false;
  finder_->SetSearching(true);
  return true;
}

bool TWindowSearch::Busy() const {
  return window_.Busy();
}

void TWindowSearch::SetBusy(bool busy) {
  window_.SetBusy(busy);
}

int TWindowSearch::CurrentScreen() const {
  return window_.CurrentScreen();
}

bool TWindowSearch::ThesaurusWindow() const {
  return window_.ThesaurusWindow();
}

bool TWindowSearch::MatchCase() const {
  return dispatcher_.CaseSensitiveFind();
}

QWidget& TWindowSearch::Window() {
  return window_.Window();
}

void TWindowSearch::ShowStatus(const std::string& text) {
  if (!pieces_.Status) return;
  text.empty() ? pieces_.Status->Clear() : pieces_.Status->Show(text);
}

void TWindowSearch::ShowMessage(const std::string& text) {
  ShowBookMessage(nullptr, text);  // the dialog shows the find page under way
}

TFrameViewer* TWindowSearch::CurrentViewer() const {
  return pieces_.Pages ? pieces_.Pages->CurrentScreenViewer() : nullptr;
}

void TWindowSearch::OpenFoundFile(const std::string& file) {
  TFrameViewer* viewer = CurrentViewer();
  if (!viewer) return;
  viewer->show();
  for (int i = 0; i < viewer->HistoryCount(); ++i)
    if (SameBookFile(viewer->HistoryFile(i), file)) {
      viewer->SetHistoryIndex(i);
      return;
    }
  pieces_.Pages->OpenLinkedPage(file);
}

bool TWindowSearch::FindCaption(const std::string& text) {
  TContentsTrees* trees = pieces_.Trees;
  if (!trees) return false;
  if (trees->First() && trees->First()->isVisible()) return trees->First()->FindCaption(text);
  return trees->Second() && trees->Second()->FindCaption(text);
}

TFindDialog* TWindowSearch::SearchDialog() const {
  return pieces_.Dialog;
}

}  // namespace shelf
