#include "chassis_drawings.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include "car_outline.h"
#include "drawing_shapes.h"
#include "drawing_sheet.h"
#include "drawing_style.h"

namespace shelf::samplegen {
namespace {

// A brake line of one circuit through `points`.
void DrawPipe(QPainter& p, const QPolygonF& points, const QColor& color, bool dashed) {
  QPen pen(color, 2.2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  if (dashed) pen.setDashPattern({5, 2.5});
  p.save();
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(points);
  p.restore();
}

void DrawLegendLine(QPainter& p, QPointF at, const QColor& color, bool dashed,
                    const QString& text) {
  DrawPipe(p, QPolygonF(QList<QPointF>{at, at + QPointF(28, 0)}), color, dashed);
  DrawLabel(p, at + QPointF(36, 0), text, 12, false, false);
}

}  // namespace

QImage BrakeCircuit() {
  TDrawingSheet sheet(460, 330);
  QPainter& p = sheet.P();
  const QColor front = kFluid, rear = kMark;

  // The car from above, front at the top, and its wheels.
  QPainterPath body;
  body.addRoundedRect(150, 16, 140, 296, 34, 34);
  p.setPen(ThinPen());
  p.setBrush(QColor(0xf3, 0xf6, 0xf9));
  p.drawPath(body);
  for (const double y : {48.0, 232.0})
    for (const double x : {136.0, 290.0}) DrawPart(p, Rect(x, y, 14, 46), kSteel);

  // Front: discs with calipers; rear: drums.
  for (const double x : {154.0, 280.0}) {
    DrawPart(p, Rect(x, 52, 6, 38), kMetal);
    DrawPart(p, Rect(x + (x < 200 ? 6 : -8), 62, 8, 18), kMetal);
  }
  for (const double x : {166.0, 274.0}) {
    DrawPart(p, Circle({x, 255}, 12), kMetal);
    p.setPen(ThinPen());
    p.drawArc(QRectF(x - 8, 247, 16, 16), 30 * 16, 120 * 16);
    p.drawArc(QRectF(x - 8, 247, 16, 16), 210 * 16, 120 * 16);
  }

  // Pedal, vacuum booster, master cylinder with its reservoir.
  DrawPart(p, Rect(184, 146, 12, 8), kSteel);
  p.setPen(OutlinePen(1.4));
  p.drawLine(QPointF(190, 146), QPointF(190, 118));
  DrawPart(p, Circle({190, 100}, 18), kMetal);
  DrawPart(p, Rect(208, 94, 36, 12), kMetal);
  DrawPart(p, Rect(214, 80, 24, 12), QColor(0xe9, 0xee, 0xf2));

  // Circuit I to the front calipers, circuit II through the pressure regulator to the drums.
  DrawPipe(p, QPolygonF(QList<QPointF>{{244, 98}, {252, 98}, {252, 70}, {280, 70}}), front, false);
  DrawPipe(p, QPolygonF(QList<QPointF>{{252, 70}, {166, 70}}), front, false);
  DrawPipe(p, QPolygonF(QList<QPointF>{{226, 106}, {226, 262}}), rear, true);
  DrawPart(p, Rect(216, 262, 20, 14), kMetal);
  DrawPipe(p, QPolygonF(QList<QPointF>{{216, 272}, {166, 272}, {166, 267}}), rear, true);
  DrawPipe(p, QPolygonF(QList<QPointF>{{236, 272}, {274, 272}, {274, 267}}), rear, true);

  DrawLegendLine(p, {318, 140}, front, false, QString::fromUtf8("контур I"));
  DrawLegendLine(p, {318, 160}, rear, true, QString::fromUtf8("контур II"));
  DrawLabel(p, {220, 8}, QString::fromUtf8("перёд"), 11);

  DrawCallout(p, {240, 100}, {410, 60}, 1);
  DrawCallout(p, {178, 92}, {60, 110}, 2);
  DrawCallout(p, {230, 84}, {410, 24}, 3);
  DrawCallout(p, {158, 76}, {60, 40}, 4);
  DrawCallout(p, {232, 270}, {410, 300}, 5);
  DrawCallout(p, {162, 262}, {60, 290}, 6);
  DrawCallout(p, {186, 152}, {60, 170}, 7);
  return sheet.Finish();
}

QImage FrontSuspension() {
  TDrawingSheet sheet(400, 290);
  QPainter& p = sheet.P();
  p.translate(0, -20);

  // Ground, tyre and rim of the left front wheel, seen from the front.
  p.setPen(ThinPen());
  p.drawLine(QPointF(10, 272), QPointF(120, 272));
  QPainterPath tyre;
  tyre.addRoundedRect(28, 92, 52, 180, 14, 14);
  DrawPart(p, tyre, QColor(0x5a, 0x68, 0x76));
  DrawPart(p, Rect(36, 138, 40, 88), kMetal);
  p.setPen(QPen(QColor(0x33, 0x40, 0x4c), 1));
  for (double y = 102; y < 266; y += 12) p.drawLine(QPointF(30, y), QPointF(36, y));

  // Cross member with the spring cup, hatched as a section.
  const QPainterPath frame =
      Polygon(
          QPolygonF(
              {{230, 92}, {380, 92}, {380, 250}, {272, 250}, {258, 226}, {246, 140}, {230, 140}}))
          .united(Rect(176, 126, 60, 10));
  DrawSection(p, frame);

  // Knuckle with the two ball joints, and the arms to the frame.
  const QPointF upperJoint(104, 118), lowerJoint(108, 224);
  DrawPart(p, Bar(upperJoint, {238, 104}, 10), kMetal);
  DrawPart(p, Bar(lowerJoint, {262, 238}, 14), kMetal);
  QPainterPath knuckle = Bar({92, 112}, {96, 232}, 14).united(Rect(76, 170, 22, 16));
  DrawPart(p, knuckle, kSteel);
  for (const QPointF joint : {upperJoint, lowerJoint}) {
    DrawPart(p, Circle(joint, 7), kMetal);
    DrawPart(p, Circle(joint, 3), kSteel);
  }
  for (const QPointF pivot : {QPointF(238, 104), QPointF(262, 238)}) {
    DrawPart(p, Circle(pivot, 8), kPaper);
    DrawPart(p, Circle(pivot, 3), kSteel);
  }

  // Shock absorber inside the spring.
  DrawPart(p, Rect(199, 136, 4, 40), kMetal);
  DrawPart(p, Rect(194, 176, 14, 50), kMetal);
  DrawCoil(p, 201, 137, 226, 15, 6);

  // Anti-roll bar: a link from the lower arm to the bar running across the car.
  p.setPen(OutlinePen(1.6));
  p.drawLine(QPointF(150, 232), QPointF(150, 264));
  DrawPart(p, Rect(150, 261, 230, 7), kSteel);
  DrawPart(p, Circle({150, 232}, 3), kPaper);

  p.setPen(CentrePen());
  p.drawLine(QPointF(54, 70), QPointF(54, 300));

  DrawCallout(p, {90, 160}, {60, 40}, 1);
  DrawCallout(p, {168, 111}, {120, 40}, 2);
  DrawCallout(p, {106, 114}, {30, 70}, 3);
  DrawCallout(p, {214, 160}, {180, 40}, 4);
  DrawCallout(p, {206, 200}, {300, 40}, 5);
  DrawCallout(p, {200, 233}, {220, 296}, 6);
  DrawCallout(p, {110, 230}, {120, 296}, 7);
  DrawCallout(p, {320, 264}, {330, 296}, 8);
  DrawCallout(p, {330, 140}, {360, 40}, 9);
  return sheet.Finish();
}

QImage ClutchPedal() {
  TDrawingSheet sheet(300, 270);
  QPainter& p = sheet.P();
  const QPointF pivot(130, 44);

  // Pedal bracket and the front wall of the body with the master cylinder in front of it.
  DrawSection(p, Rect(96, 22, 96, 12).united(Rect(44, 10, 10, 220)));
  DrawPart(p, Rect(6, 80, 38, 18), kMetal);
  DrawPart(p, Rect(20, 66, 14, 14), QColor(0xe9, 0xee, 0xf2));

  // The pedal at rest, at the end of free play and fully down.
  const auto arm = [&](double degrees) {
    QTransform turn;
    turn.translate(pivot.x(), pivot.y());
    turn.rotate(degrees);
    turn.translate(-pivot.x(), -pivot.y());
    QPainterPath pedal = Bar(pivot, {142, 150}, 8).united(Bar({142, 150}, {150, 206}, 8));
    QPainterPath pad;
    pad.addRoundedRect(134, 204, 34, 10, 3, 3);
    return turn.map(pedal.united(pad));
  };
  for (const double degrees : {28.0, 7.0}) {
    QPen ghost(kSteel, 1.2);
    ghost.setDashPattern({4, 3});
    p.setPen(ghost);
    p.setBrush(Qt::NoBrush);
    p.drawPath(arm(degrees));
  }
  DrawPart(p, arm(0), kMetal);
  DrawPart(p, Circle(pivot, 6), kSteel);

  // Push rod to the master cylinder, return spring, stop bolt.
  p.setPen(OutlinePen(2));
  p.drawLine(QPointF(133, 84), QPointF(44, 89));
  DrawPart(p, Circle({133, 84}, 3), kPaper);
  QPolygonF spring;
  for (int i = 0; i <= 10; ++i) spring << QPointF(140 + 4.5 * i, 70 - 3.2 * i + (i % 2 ? 4 : -4));
  p.setPen(OutlinePen(1.2));
  p.drawPolyline(spring);
  DrawPart(p, Rect(150, 56, 30, 6), kSteel);
  DrawPart(p, Rect(180, 52, 8, 14), kSteel);

  // Travel measured at the middle of the pad.
  const QPointF rest(151, 209);
  DrawDimension(p, rest,
                QTransform()
                    .translate(pivot.x(), pivot.y())
                    .rotate(7)
                    .translate(-pivot.x(), -pivot.y())
                    .map(rest),
                22, QString::fromUtf8("А"));
  DrawDimension(p, rest,
                QTransform()
                    .translate(pivot.x(), pivot.y())
                    .rotate(28)
                    .translate(-pivot.x(), -pivot.y())
                    .map(rest),
                46, QString::fromUtf8("Б"));

  DrawCallout(p, {146, 180}, {250, 150}, 1);
  DrawCallout(p, {184, 60}, {250, 40}, 2);
  DrawCallout(p, {90, 86}, {90, 130}, 3);
  DrawCallout(p, {20, 92}, {24, 130}, 4);
  DrawCallout(p, {158, 56}, {220, 100}, 5);
  return sheet.Finish();
}

QImage CarSide() {
  constexpr int kWidth = 480, kHeight = 200;
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0, QColor(0xe4, 0xee, 0xf7));
  sky.setColorAt(0.72, QColor(0xfb, 0xfc, 0xfd));
  sky.setColorAt(1, QColor(0xe2, 0xe5, 0xe8));
  p.fillRect(image.rect(), sky);

  // The car at four fifths of the outline's size; the dimension lines keep full-size text.
  const QTransform scale = QTransform::fromTranslate(26, 22).scale(0.8, 0.8);
  p.setTransform(scale);
  QRadialGradient shadow(QPointF(251, 158), 270);
  shadow.setColorAt(0, QColor(0x40, 0x48, 0x50, 90));
  shadow.setColorAt(1, QColor(0x40, 0x48, 0x50, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shadow);
  p.drawEllipse(QPointF(251, 157), 270, 9);

  QLinearGradient paint(0, 0, 0, 124);
  paint.setColorAt(0, QColor(0xc9, 0xd6, 0xe2));
  paint.setColorAt(0.5, QColor(0x8d, 0xa3, 0xb8));
  paint.setColorAt(0.55, QColor(0x6f, 0x86, 0x9b));
  paint.setColorAt(1, QColor(0x4c, 0x5e, 0x70));
  p.setPen(OutlinePen(1.8));
  p.setBrush(paint);
  p.drawPath(car::Body());
  QLinearGradient glass(0, 18, 0, 60);
  glass.setColorAt(0, QColor(0x3b, 0x55, 0x6e));
  glass.setColorAt(1, QColor(0x9d, 0xb9, 0xd2));
  p.setBrush(glass);
  p.drawPath(car::Windows());
  p.setPen(OutlinePen(1.1));
  p.drawLine(QPointF(296, 62), QPointF(296, 118));
  p.drawLine(QPointF(160, 62), QPointF(156, 118));
  p.drawLine(QPointF(420, 66), QPointF(424, 112));
  p.setPen(OutlinePen(1.6));
  p.drawLine(QPointF(240, 80), QPointF(262, 80));
  p.drawLine(QPointF(338, 80), QPointF(360, 80));
  p.setBrush(QColor(0xff, 0xe3, 0x9a));
  p.drawRoundedRect(QRectF(490, 78, 10, 12), 2, 2);
  p.setBrush(QColor(0xd8, 0x3a, 0x2e));
  p.drawRoundedRect(QRectF(2, 80, 8, 14), 2, 2);
  for (const QPointF centre : car::kWheelCentres) {
    p.setPen(OutlinePen(1.8));
    p.setBrush(QColor(0x2a, 0x30, 0x36));
    p.drawEllipse(centre, car::kWheelRadius, car::kWheelRadius);
    QRadialGradient rim(centre - QPointF(6, 6), 26);
    rim.setColorAt(0, QColor(0xf2, 0xf5, 0xf8));
    rim.setColorAt(1, QColor(0x8f, 0xa1, 0xb1));
    p.setBrush(rim);
    p.drawEllipse(centre, 22, 22);
    p.setBrush(kSteel);
    p.drawEllipse(centre, 5, 5);
  }
  p.resetTransform();

  const double sill = car::kWheelCentres[0].y() + car::kWheelRadius;
  const auto at = [&scale](double x, double y) { return scale.map(QPointF(x, y)); };
  DrawDimension(p, at(car::kWheelCentres[0].x(), sill), at(car::kWheelCentres[1].x(), sill), -16,
                QString::fromUtf8("колёсная база 2424"));
  DrawDimension(p, at(0, sill), at(car::kLength, sill), -38, QString::fromUtf8("длина 4116"));
  DrawDimension(p, at(car::kLength + 4, car::kRoof), at(car::kLength + 4, sill), 22,
                QString::fromUtf8("1446"));
  p.end();
  return image;
}

}  // namespace shelf::samplegen
