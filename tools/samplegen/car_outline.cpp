#include "car_outline.h"

namespace shelf::samplegen::car {

QPainterPath Body() {
  QPainterPath body;
  body.moveTo(0, 120);
  body.lineTo(0, 88);
  body.cubicTo(2, 74, 20, 68, 70, 64);
  body.lineTo(150, 60);
  body.lineTo(205, 12);
  body.cubicTo(215, 4, 225, 2, 240, 2);
  body.lineTo(360, 2);
  body.cubicTo(375, 2, 385, 6, 392, 14);
  body.lineTo(440, 62);
  body.lineTo(488, 68);
  body.cubicTo(498, 70, 502, 80, 502, 92);
  body.lineTo(502, 120);
  body.lineTo(430, 120);
  body.arcTo(362, 78, 84, 84, 0, 180);
  body.lineTo(138, 120);
  body.arcTo(54, 78, 84, 84, 0, 180);
  body.closeSubpath();
  return body;
}

QPainterPath Windows() {
  QPainterPath windows;
  windows.moveTo(168, 60);
  windows.lineTo(212, 18);
  windows.lineTo(290, 18);
  windows.lineTo(290, 60);
  windows.closeSubpath();
  windows.moveTo(302, 60);
  windows.lineTo(302, 18);
  windows.lineTo(372, 18);
  windows.lineTo(412, 60);
  windows.closeSubpath();
  return windows;
}

}  // namespace shelf::samplegen::car
