// What the find boxes need of the main window: its state, the page on show, the contents trees,
// the search dialog and the reader's messages.
#pragma once

#include <string>

#include "store/dynamic_arrays.h"

class QWidget;

namespace shelf {

class TFrameViewer;
class TScaleBar;

// The find page of the book's drawn dialog, as the find boxes use it.
class TFindDialog {
 public:
  // The index of the find page among the dialog's pages.
  static constexpr int kFindPage = 1;

  virtual ~TFindDialog() = default;
  // The dialog's window: the find boxes sit on it.
  virtual QWidget& Widget() = 0;
  virtual int CurrentPage() const = 0;
  // A button's or switch's command; true when it closed the dialog.
  virtual bool RunCommand(const std::string& command, const std::string& sound) = 0;
  // The found pages under the find page; no files: the page shrinks to its upper part.
  virtual void ShowFindResults(const TDynamicStringArray& files,
                               const TDynamicStringArray& titles) = 0;
  virtual void SetFindButtonHint(const std::string& text) = 0;
};

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
  virtual TFindDialog* SearchDialog() const = 0;
  virtual TScaleBar* SearchScale() const = 0;
  // Where the boxes go when there is no dialog.
  virtual QWidget& Window() = 0;
};

}  // namespace shelf
