// The main window's opening and closing animations as a sequence of window shapes, one per
// timer tick: it grows from its centre as an ellipse, and shrinks to a band, then to nothing.
#pragma once

#include <QRegion>
#include <QSize>
#include <functional>
#include <memory>
#include <optional>

#include "widgets/super_timer.h"

class QWidget;

namespace shelf {

class TOpeningAnimation {
 public:
  explicit TOpeningAnimation(QSize size)
      : size_(size), a_(size.width() / 2), b_(size.height() / 2) {}
  // The shape for this tick: growing ellipses, then the whole window; nullopt after that.
  std::optional<QRegion> Step();

 private:
  QSize size_;
  int a_, b_;  // half-width and half-height still uncovered
  bool covered_ = false;
};

class TClosingAnimation {
 public:
  explicit TClosingAnimation(QSize size) : size_(size) {}
  // The shape for this tick, or nullopt when the window has gone.
  std::optional<QRegion> Step();

 private:
  QSize size_;
  int a_ = 0, b_ = 0;
};

// Runs the two animations on a window: each tick's shape, kept inside the window's outline,
// becomes its mask. The opening ends on the outline; the closing hides the window and hands over
// to what ends the program.
class TWindowAnimator {
 public:
  // `outline` is the window's own shape (empty: a plain rectangle), read at every tick;
  // `closed` runs once the closing has hidden the window.
  TWindowAnimator(QWidget& window, const QRegion& outline, std::function<void()> closed);
  ~TWindowAnimator();

  // Shows the window with its opening animation.
  void Open();
  void Close();
  bool Opening() const { return openingTimer_.Enabled(); }
  bool Closing() const { return closingTimer_.Enabled(); }

 private:
  void SetShape(const QRegion& frame);

  QWidget& window_;
  const QRegion& outline_;
  std::function<void()> closed_;
  TSuperTimer openingTimer_;
  TSuperTimer closingTimer_;
  std::unique_ptr<TOpeningAnimation> opening_;
  std::unique_ptr<TClosingAnimation> closing_;
};

}  // namespace shelf
