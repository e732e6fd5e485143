// What the rooms of the book window need of the window itself: its widget, the screen on show,
// the busy state and whether it is the thesaurus window. The main window implements it.
#pragma once

class QWidget;

namespace shelf {

class TShellWindow {
 public:
  virtual ~TShellWindow() = default;
  virtual QWidget& Window() = 0;
  virtual int CurrentScreen() const = 0;
  virtual bool Busy() const = 0;
  // Busy state with the hourglass pointer: commands are ignored meanwhile.
  virtual void SetBusy(bool busy) = 0;
  virtual bool ThesaurusWindow() const = 0;
};

}  // namespace shelf
