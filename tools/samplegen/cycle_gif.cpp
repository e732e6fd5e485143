#include "cycle_gif.h"

#include <cmath>
#include <vector>

#include "drawing_shapes.h"
#include "drawing_sheet.h"
#include "drawing_style.h"
#include "gif_writer.h"

namespace shelf::samplegen {
namespace {

constexpr int kFrames = 24;      // 30 degrees of crank each, two turns
constexpr int kFrameDelay = 15;  // hundredths of a second
constexpr int kWidth = 220, kHeight = 280;

const QColor kMixture(0x9f, 0xc8, 0xec);
const QColor kFlame(0xf5, 0x9e, 0x2f);
const QColor kExhaust(0xb9, 0xb4, 0xae);

constexpr double kAxis = 110, kBoreLeft = 72, kBoreRight = 148, kHeadBottom = 66;
constexpr double kCrankY = 200, kThrow = 30, kRod = 72, kPistonHeight = 30;

// Lift of a valve open over the half-turn [from, from + 180) degrees.
double Lift(double degrees, double from) {
  const double t = (degrees - from) / 180;
  return (t <= 0 || t >= 1) ? 0 : 9 * std::sin(t * M_PI);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(a.redF() * (1 - t) + b.redF() * t, a.greenF() * (1 - t) + b.greenF() * t,
                          a.blueF() * (1 - t) + b.blueF() * t);
}

// The charge above the piston: fresh mixture, squeezed, burning, then leaving.
QColor Charge(double degrees) {
  if (degrees < 180) return kMixture;
  if (degrees < 360) return Mix(kMixture, kFluid, (degrees - 180) / 360);
  if (degrees < 540) return Mix(kFlame, kExhaust, (degrees - 360) / 180);
  return Mix(kExhaust, kPaper, (degrees - 540) / 240);
}

void DrawValve(QPainter& p, double x, double lift) {
  const double seat = kHeadBottom - 6 + lift;
  DrawPart(p, Rect(x - 2, 8 + lift, 4, seat - 8), kMetal);
  DrawPart(p,
           Polygon(QPolygonF(QList<QPointF>{
               {x - 13, seat + 6}, {x + 13, seat + 6}, {x + 5, seat}, {x - 5, seat}})),
           kMetal);
}

QImage DrawFrame(int frame) {
  const double degrees = 720.0 * frame / kFrames;
  TDrawingSheet sheet(kWidth, kHeight);
  QPainter& p = sheet.P();

  const double a = degrees * M_PI / 180;
  const QPointF crank(kAxis, kCrankY);
  const QPointF pin = crank + QPointF(kThrow * std::sin(a), -kThrow * std::cos(a));
  const double pistonPinY = pin.y() - std::sqrt(kRod * kRod - std::pow(pin.x() - kAxis, 2));
  const double pistonTop = pistonPinY - 18;

  // The charge between the head and the piston.
  p.fillRect(QRectF(kBoreLeft, kHeadBottom, kBoreRight - kBoreLeft, pistonTop - kHeadBottom),
             Charge(degrees));
  if (degrees == 360) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf1, 0xb0));
    p.drawEllipse(QPointF(kAxis, kHeadBottom + 6), 16, 10);
  }

  // Walls and head, cut; ports to the left (intake) and right (exhaust).
  const QPainterPath intake =
      Polygon(QPolygonF(QList<QPointF>{{0, 24}, {70, 24}, {92, 60}, {74, 60}, {50, 40}, {0, 40}}));
  const QPainterPath exhaust = Polygon(QPolygonF(
      QList<QPointF>{{kWidth, 24}, {150, 24}, {128, 60}, {146, 60}, {170, 40}, {kWidth, 40}}));
  QPainterPath metal = Rect(50, 0, 120, kHeadBottom)
                           .united(Rect(50, kHeadBottom, kBoreLeft - 50, 118))
                           .united(Rect(kBoreRight, kHeadBottom, 170 - kBoreRight, 118))
                           .subtracted(intake)
                           .subtracted(exhaust)
                           .subtracted(Rect(105, 0, 10, 58))
                           .subtracted(Rect(80, 0, 8, 60))
                           .subtracted(Rect(132, 0, 8, 60));
  p.fillPath(intake, degrees < 180 ? kMixture : kPaper);
  p.fillPath(exhaust, degrees >= 540 ? kExhaust : kPaper);
  DrawSection(p, metal, 7);
  p.setPen(OutlinePen());
  for (const double y : {24.0, 40.0}) {
    p.drawLine(QPointF(0, y), QPointF(50, y));
    p.drawLine(QPointF(170, y), QPointF(kWidth, y));
  }
  DrawValve(p, 84, Lift(degrees, 0));
  DrawValve(p, 136, Lift(degrees, 540));
  DrawPart(p, Rect(106, 0, 8, 60), kPaper);
  DrawPart(p, Rect(108, 58, 4, 6), kSteel);
  if (degrees == 360) {
    p.setPen(QPen(kMark, 1.6));
    for (int ray = 0; ray < 8; ++ray)
      p.drawLine(Polar({110, 68}, 3, ray * 45 + 22), Polar({110, 68}, 9, ray * 45 + 22));
  }
  if (degrees < 180) DrawArrow(p, {4, 32}, {40, 32}, kFluid, 2);
  if (degrees >= 540) DrawArrow(p, {180, 32}, {216, 32}, kLine, 2);

  // Piston, rod, crank.
  DrawPart(p, Rect(kBoreLeft + 1, pistonTop, kBoreRight - kBoreLeft - 2, kPistonHeight), kMetal);
  p.setPen(ThinPen());
  for (const double y : {5.0, 10.0})
    p.drawLine(QPointF(kBoreLeft + 1, pistonTop + y), QPointF(kBoreRight - 1, pistonTop + y));
  DrawPart(p, Bar({kAxis, pistonPinY}, pin, 9).united(Circle(pin, 9)), kSteel);
  DrawPart(p, Circle({kAxis, pistonPinY}, 5), kPaper);
  QPainterPath web;
  web.moveTo(crank);
  const double away = 270 - degrees;  // the counterweight faces away from the pin
  web.arcTo(QRectF(crank.x() - 26, crank.y() - 26, 52, 52), away - 70, 140);
  web.closeSubpath();
  DrawPart(p, web.united(Bar(crank, pin, 18)), kMetal);
  DrawPart(p, Circle(pin, 5), kPaper);
  DrawPart(p, Circle(crank, 7), kSteel);

  static const char* const kStrokes[] = {"1. Впуск", "2. Сжатие", "3. Рабочий ход", "4. Выпуск"};
  const int stroke = std::min(3, int(degrees / 180));
  DrawLabel(p, {kAxis, 262}, QString::fromUtf8(kStrokes[stroke]), 15, true);
  return sheet.Finish();
}

}  // namespace

QByteArray FourStrokeGif(QString& error) {
  std::vector<QImage> frames;
  for (int frame = 0; frame < kFrames; ++frame) frames.push_back(DrawFrame(frame));
  const QList<QRgb> palette =
      BlendPalette({kPaper, kLine, kMetal, kSteel, kMixture, kFlame, kExhaust, kMark});
  return EncodeGif(frames, palette, kFrameDelay, error);
}

}  // namespace shelf::samplegen
