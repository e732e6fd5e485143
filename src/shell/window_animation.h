// The main window's opening and closing animations as a sequence of window shapes, one per
// timer tick: it grows from its centre as an ellipse, and shrinks to a band, then to nothing.
#pragma once

#include <QRegion>
#include <QSize>
#include <optional>

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

}  // namespace shelf
