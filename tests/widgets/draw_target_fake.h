// A drawn window for tests: remembers what the effects, labels and bars asked of it.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <vector>

#include "widgets/draw_target.h"

namespace shelf::test {

class FakeDrawTarget : public TDrawTarget {
 public:
  struct Drawn {
    QPoint at;
    QImage image;
  };

  void DrawOverlay(QPoint at, const QImage& image) override {
    overlays.push_back({at, image.copy()});
  }
  void DrawOnBackground(QPoint at, const QImage& image) override {
    background.push_back({at, image.copy()});
  }
  void RepaintArea(const QRect& area) override {
    repaints.push_back(area);
    if (onRepaint) onRepaint();
  }

  std::vector<Drawn> overlays;
  std::vector<Drawn> background;
  std::vector<QRect> repaints;
  std::function<void()> onRepaint;
};

// A 24-bit picture of one grey level.
inline QImage Grey(int width, int height, int level) {
  QImage image(width, height, QImage::Format_RGB888);
  image.fill(QColor(level, level, level));
  return image;
}

}  // namespace shelf::test
