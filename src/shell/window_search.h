// The search of the book window: its find boxes (none when the description has none) with the
// commands of the drawn dialog's find page, the pages found, the contents trees' captions, the
// progress bar and the reader's messages.
#pragma once

#include <memory>
#include <string>

#include "book/element_records.h"
#include "search/find_host.h"

namespace shelf {

struct TBookSession;
class TShellWindow;
class TCommandDispatcher;
class THtmlFrame;
class TContentsTrees;
class TCoolDialog;
class TStatusLine;
class TFindTxtHtml;

// The pieces of the window the search works with; any may be missing.
struct TSearchPieces {
  THtmlFrame* Pages = nullptr;
  TContentsTrees* Trees = nullptr;
  TCoolDialog* Dialog = nullptr;
  TScaleBar* Scale = nullptr;
  TStatusLine* Status = nullptr;
};

class TWindowSearch : public TFindHost {
 public:
  TWindowSearch(TShellWindow& window, const TCommandDispatcher& dispatcher,
                const TBookSession& session, const TDynamicFindTxtArray& boxes,
                TSearchPieces pieces);
  ~TWindowSearch() override;

  TFindTxtHtml* Finder() const { return finder_.get(); }
  // The find page's commands ("findnext1", "findtxtall", "findtxtlimit", "findtxtcontents"); a
  // find command while busy stops the search under way.
  void FindCommand(const std::string& command);
  // A found page was opened from the result list: its first place of the text is selected.
  void FindInFoundPage();
  void SearchDialogClosed();
  void DialogPageShown(int page);
  // Esc with the dialog open: true when a running search was stopped (the dialog then stays).
  bool StopRunningSearch();

  // TFindHost
  bool Busy() const override;
  void SetBusy(bool busy) override;
  int CurrentScreen() const override;
  bool ThesaurusWindow() const override;
  bool MatchCase() const override;
  void ShowStatus(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  TFrameViewer* CurrentViewer() const override;
  void OpenFoundFile(const std::string& file) override;
  bool FindCaption(const std::string& text) override;
  TFindDialog* SearchDialog() const override;
  TScaleBar* SearchScale() const override { return pieces_.Scale; }
  QWidget& Window() override;

 private:
  TShellWindow& window_;
  const TCommandDispatcher& dispatcher_;
  TSearchPieces pieces_;
  std::unique_ptr<TFindTxtHtml> finder_;  // its boxes may sit on the dialog: it goes first
};

}  // namespace shelf
