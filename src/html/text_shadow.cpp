#include "html/text_shadow.h"

#include <algorithm>

namespace shelf {

namespace {

// Beyond this the blur is drawn as this wide: a page cannot make one line cost more draws.
constexpr int kMaxBlur = 24;

}  // namespace

void DrawTextShadow(QPainter& painter, const QString& text, QPoint at, QColor color, int blur) {
  const int radius = (std::clamp(blur, 0, kMaxBlur) + 1) / 2;
  if (radius == 0) {
    painter.setPen(color);
    painter.drawText(at, text);
    return;
  }
  // Copies of the text over a disc around its place, each faint: where many overlap (the
  // middle) the shadow is dense, towards the rim it fades.
  const int step = std::max(1, radius / 2);
  int copies = 0;
  for (int dy = -radius; dy <= radius; dy += step)
    for (int dx = -radius; dx <= radius; dx += step) copies += dx * dx + dy * dy <= radius * radius;
  color.setAlphaF(color.alphaF() * std::min(1.0, 2.5 / copies));
  painter.setPen(color);
  for (int dy = -radius; dy <= radius; dy += step)
    for (int dx = -radius; dx <= radius; dx += step)
      if (dx * dx + dy * dy <= radius * radius) painter.drawText(at + QPoint(dx, dy), text);
}

}  // namespace shelf
