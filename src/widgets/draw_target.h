// A drawn window as the pieces that draw on it see it: effects put frames on it, labels and bars
// ask it to repaint or change its background picture. The window itself paints only in paintEvent.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace shelf {

class TDrawTarget {
 public:
  virtual ~TDrawTarget() = default;

  // Shows `image` with its top-left corner at `at`, over whatever the window painted there, until
  // the window paints that area from its own pictures again (a plain copy onto its canvas). The
  // window keeps the image and repaints the rectangle; effects call it once per frame.
  virtual void DrawOverlay(QPoint at, const QImage& image) = 0;

  // Copies `image` into the window's background picture at `at`, so it stays, and repaints there.
  virtual void DrawOnBackground(QPoint at, const QImage& image) = 0;

  // Paints `area` afresh as the window paints itself: from its background picture, labels
  // included, so stale text goes (or, during a window fade-in, the fade's frame).
  virtual void RepaintArea(const QRect& area) = 0;
};

}  // namespace shelf
