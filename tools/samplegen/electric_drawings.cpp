#include "electric_drawings.h"

#include "drawing_shapes.h"
#include "drawing_sheet.h"
#include "drawing_style.h"
#include "window_art.h"

namespace shelf::samplegen {
namespace {

void DrawGround(QPainter& p, QPointF at) {
  p.save();
  p.setPen(OutlinePen(1.4));
  p.drawLine(at, at + QPointF(0, 8));
  for (int i = 0; i < 3; ++i)
    p.drawLine(at + QPointF(-9 + 3 * i, 8 + 4 * i), at + QPointF(9 - 3 * i, 8 + 4 * i));
  p.restore();
}

void DrawWire(QPainter& p, const QPolygonF& points, double width = 1.6) {
  p.save();
  p.setPen(QPen(kLine, width, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(points);
  p.restore();
}

void DrawTerminal(QPainter& p, QPointF at, const QString& name, QPointF labelOffset) {
  p.save();
  p.setPen(OutlinePen(1.2));
  p.setBrush(kPaper);
  p.drawEllipse(at, 3, 3);
  p.restore();
  DrawLabel(p, at + labelOffset, name, 10);
}

void DrawJoint(QPainter& p, QPointF at) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(kLine);
  p.drawEllipse(at, 3, 3);
  p.restore();
}

// A wire colour tag as the wiring diagrams write it.
void DrawWireTag(QPainter& p, QPointF at, const QString& tag) {
  DrawLabel(p, at, tag, 10, true, true, kFluid);
}

}  // namespace

QImage StartingCircuit() {
  TDrawingSheet sheet(480, 250);
  QPainter& p = sheet.P();

  // Battery: long and short plates, plus at the top.
  p.setPen(OutlinePen(2));
  for (int cell = 0; cell < 3; ++cell) {
    const double y = 96 + cell * 14;
    p.drawLine(QPointF(36, y), QPointF(64, y));
    p.setPen(OutlinePen(4));
    p.drawLine(QPointF(43, y + 6), QPointF(57, y + 6));
    p.setPen(OutlinePen(2));
  }
  DrawLabel(p, {72, 92}, "+", 13, true);
  DrawLabel(p, {28, 92}, QString::fromUtf8("АКБ"), 11, true);
  DrawWire(p, QPolygonF(QList<QPointF>{{50, 144}, {50, 170}}));
  DrawGround(p, {50, 170});

  // The heavy cable straight to the starter; a fuse link feeds the rest.
  DrawWire(p, QPolygonF(QList<QPointF>{{50, 96}, {50, 40}, {400, 40}, {400, 86}}), 3);
  DrawJoint(p, {110, 40});
  DrawWire(p, QPolygonF(QList<QPointF>{{110, 40}, {110, 56}}));
  DrawPart(p, Rect(104, 56, 12, 24), kPaper);
  p.setPen(ThinPen());
  p.drawLine(QPointF(110, 56), QPointF(110, 80));
  DrawLabel(p, {132, 68}, QString::fromUtf8("ПВ"), 10, true);
  DrawWire(p, QPolygonF(QList<QPointF>{{110, 80}, {110, 150}, {148, 150}}));
  DrawWireTag(p, {100, 118}, QString::fromUtf8("К"));

  // Ignition switch: contact 30 closes on 50 in the start position and on 15 while running.
  DrawTerminal(p, {152, 150}, "30", {0, 14});
  DrawTerminal(p, {198, 130}, "50", {0, -12});
  DrawTerminal(p, {198, 172}, "15", {-13, 0});
  p.setPen(OutlinePen(1.6));
  p.drawLine(QPointF(155, 149), QPointF(194, 136));
  QPen dashed(kLine, 1);
  dashed.setDashPattern({3, 3});
  p.setPen(dashed);
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(138, 110, 78, 84), 8, 8);
  DrawLabel(p, {177, 206}, QString::fromUtf8("выключатель"), 11);
  DrawLabel(p, {177, 220}, QString::fromUtf8("зажигания"), 11);
  DrawWire(p, QPolygonF(QList<QPointF>{{198, 172}, {198, 186}, {232, 186}}));
  DrawLabel(p, {236, 186}, QString::fromUtf8("к потребителям"), 10, false, false);

  // Starter relay: coil between 86 and earth, contact between 30 and 87.
  DrawWire(p, QPolygonF(QList<QPointF>{{201, 130}, {262, 130}}));
  DrawWireTag(p, {232, 122}, QString::fromUtf8("Р"));
  p.setPen(dashed);
  p.drawRect(QRectF(250, 78, 74, 76));
  DrawPart(p, Rect(256, 120, 16, 22), kMetal);
  p.setPen(ThinPen());
  for (int i = 0; i < 4; ++i) p.drawLine(QPointF(256, 124 + 5 * i), QPointF(272, 126 + 5 * i));
  DrawWire(p, QPolygonF(QList<QPointF>{{264, 142}, {264, 166}}));
  DrawGround(p, {264, 166});
  DrawJoint(p, {300, 40});
  DrawWire(p, QPolygonF(QList<QPointF>{{300, 40}, {300, 90}}));
  p.setPen(OutlinePen(1.6));
  p.drawLine(QPointF(300, 90), QPointF(312, 108));
  DrawWire(p,
           QPolygonF(QList<QPointF>{{310, 112}, {310, 170}, {372, 170}, {372, 128}, {384, 128}}));
  DrawWireTag(p, {340, 162}, QString::fromUtf8("КЧ"));
  DrawLabel(p, {287, 64}, QString::fromUtf8("реле"), 11, true);

  // Starter: the solenoid with its terminals 30 and 50, the motor under it.
  DrawPart(p, Rect(384, 86, 52, 52), kMetal);
  DrawTerminal(p, {400, 90}, "30", {-14, 8});
  DrawTerminal(p, {388, 128}, "50", {14, -10});
  DrawPart(p, Circle({410, 176}, 24), kPaper);
  DrawLabel(p, {410, 176}, "M", 16, true);
  DrawWire(p, QPolygonF(QList<QPointF>{{410, 138}, {410, 152}}));
  DrawWire(p, QPolygonF(QList<QPointF>{{428, 192}, {440, 206}}));
  DrawGround(p, {440, 206});
  DrawLabel(p, {410, 232}, QString::fromUtf8("стартер"), 11, true);
  DrawWireTag(p, {230, 32}, QString::fromUtf8("К (16 мм²)"));
  return sheet.Finish();
}

QImage FuseBox() {
  TDrawingSheet sheet(420, 184);
  QPainter& p = sheet.P();
  QPainterPath box;
  box.addRoundedRect(10, 24, 400, 150, 10, 10);
  DrawPart(p, box, QColor(0x3a, 0x44, 0x4e));
  DrawLabel(p, {210, 12}, QString::fromUtf8("Монтажный блок, крышка снята"), 12, true);

  // Blade fuses in two rows; the colour of the body tells the rating.
  const QColor brown(0x8b, 0x5a, 0x2b), red(0xd0, 0x2a, 0x2a), blue(0x2a, 0x62, 0xc8),
      yellow(0xe8, 0xc2, 0x1a);
  const QColor ratings[16] = {red,  blue,  red,    brown, yellow, red,  blue,  red,
                              blue, brown, yellow, red,   red,    blue, brown, red};
  for (int i = 0; i < 16; ++i) {
    const int row = i / 8, column = i % 8;
    const QRectF fuse(30 + column * 34, row ? 110 : 46, 20, 40);
    p.setPen(QPen(QColor(0x1a, 0x1e, 0x22), 1));
    p.setBrush(ratings[i]);
    p.drawRoundedRect(fuse, 3, 3);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRect(fuse.adjusted(5, 4, -5, -26));
    DrawLabel(p, {fuse.center().x(), row ? 162.0 : 38.0}, QString::number(i + 1), 11, true, true,
              kPaper);
  }
  // Relays of the headlamps and the fan.
  for (int i = 0; i < 2; ++i) {
    const QRectF relay(310 + i * 48, 50, 40, 96);
    p.setPen(QPen(QColor(0x1a, 0x1e, 0x22), 1));
    p.setBrush(QColor(0x24, 0x29, 0x2e));
    p.drawRoundedRect(relay, 4, 4);
    DrawLabel(p, relay.center(), QString::fromUtf8(i ? "К2" : "К1"), 13, true, true, kPaper);
  }
  return sheet.Finish();
}

QImage MakersPlate() {
  TDrawingSheet sheet(470, 180);
  QPainter& p = sheet.P();
  QPainterPath plate;
  plate.addRoundedRect(10, 10, 400, 160, 8, 8);
  DrawPart(p, plate, QColor(0xe9, 0xee, 0xf2));
  for (const QPointF rivet :
       {QPointF(24, 24), QPointF(396, 24), QPointF(24, 156), QPointF(396, 156)})
    DrawPart(p, Circle(rivet, 4), kSteel);

  DrawLabel(p, {210, 30}, QString::fromUtf8("АО «ВЕКТОР-АВТО»"), 14, true);
  p.setPen(ThinPen());
  p.drawLine(QPointF(40, 44), QPointF(380, 44));
  p.setFont(Font("Liberation Mono", 17, QFont::Bold));
  p.setPen(kLine);
  p.drawText(QPointF(96, 70), "XVK210700Y0012345");
  const char* const lines[] = {"Двигатель  ВК-15", "Полная масса  1445 кг",
                               "Масса автопоезда  2045 кг", "Ось 1 — 685 кг    ось 2 — 760 кг"};
  for (int i = 0; i < 4; ++i)
    DrawLabel(p, {40, 92.0 + 20 * i}, QString::fromUtf8(lines[i]), 13, false, false);

  DrawCallout(p, {380, 64}, {444, 64}, 1);
  DrawCallout(p, {168, 92}, {444, 92}, 2);
  DrawCallout(p, {210, 112}, {444, 118}, 3);
  DrawCallout(p, {248, 132}, {444, 144}, 4);
  DrawCallout(p, {290, 152}, {444, 168}, 5);
  return sheet.Finish();
}

}  // namespace shelf::samplegen
