// Pointer input on the screen on show: hit-tests buttons and switches (strictly inside their
// edges), runs their pointer-over, pressed and on/off states, and hands their commands to the
// dispatcher; a press on no element drags the window.
#pragma once

#include <QImage>
#include <QPoint>
#include <string>

#include "book/element_records.h"
#include "shell/command_dispatcher.h"
#include "widgets/screen_pictures.h"

namespace shelf {

// What the pointer acts on: the main window.
class TPointerHost {
 public:
  virtual ~TPointerHost() = default;
  virtual int CurrentScreen() const = 0;
  virtual RScreen& Screen() = 0;
  virtual TScreenPictures& Pictures() = 0;
  // Cross-fades the element's picture from `from` to `to` where the element stands.
  virtual void FadeElement(TElementKind kind, int index, const QImage& from, const QImage& to) = 0;
  // The element's state changed without a fade: draw it anew.
  virtual void RedrawElement(TElementKind kind, int index) = 0;
  virtual void Execute(const std::string& command, const std::string& sound, TElementKind kind,
                       int index) = 0;
  virtual void StartWindowDrag() = 0;
};

class TPointerInput {
 public:
  explicit TPointerInput(TPointerHost& host) : host_(host) {}

  void PointerMove(QPoint at);
  // `shift`: change the switch without running its command.
  void PointerDown(QPoint at, bool shift);
  void PointerUp(QPoint at);

 private:
  TPointerHost& host_;
};

}  // namespace shelf
