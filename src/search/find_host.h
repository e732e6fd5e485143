// What the find boxes need of the main window: its state, the page on show, the contents trees,
// the search dialog and the reader's messages.
#pragma once

#include <string>

class QWidget;

namespace shelf {

class TCoolDialog;
class TFrameViewer;
class TScaleBar;

class TFindHost {
 public:
  virtual ~TFindHost() = default;
  virtual bool Busy() const = 0;
  // Busy state with the hourglass pointer.
  virtual void SetBusy(bool busy) = 0;
  virtual int CurrentScreen() const = 0;
  // This copy of the program is the thesaurus window.
  virtual bool ThesaurusWindow() const = 0;
  // The "caseon" / "caseoff" setting.
  virtual bool MatchCase() const = 0;
  // The status line; an empty text clears it.
  virtual void ShowStatus(const std::string& text) = 0;
  // A message box for the reader.
  virtual void ShowMessage(const std::string& text) = 0;
  // The page viewer of the current screen; null when it has none.
  virtual TFrameViewer* CurrentViewer() const = 0;
  // Shows `file` in the current viewer: back to it in the history when it is there, else loaded.
  virtual void OpenFoundFile(const std::string& file) = 0;
  // Selects the next chapter whose caption holds `text` in the visible contents tree.
  virtual bool FindCaption(const std::string& text) = 0;
  // Null when the book has no drawn dialog or no progress bar.
  virtual TCoolDialog* SearchDialog() const = 0;
  virtual TScaleBar* SearchScale() const = 0;
  // Where the boxes go when there is no dialog.
  virtual QWidget& Window() = 0;
};

}  // namespace shelf
