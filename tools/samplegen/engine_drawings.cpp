#include "engine_drawings.h"

#include <QPolygonF>
#include <cmath>
#include <vector>

#include "drawing_shapes.h"
#include "drawing_sheet.h"
#include "drawing_style.h"

namespace shelf::samplegen {
namespace {

const QColor kCoolant(0xcf, 0xe0, 0xf3);
const QColor kOil(0x9d, 0xbd, 0xe0);

// A toothed pulley face: `teeth` teeth on `radius`, the hub and its bolt.
void DrawToothedPulley(QPainter& p, QPointF centre, double radius, int teeth) {
  QPolygonF rim;
  for (int i = 0; i < teeth * 4; ++i) {
    const double r = (i % 4 < 2) ? radius : radius - 3;
    rim << Polar(centre, r, 360.0 * i / (teeth * 4));
  }
  DrawPart(p, Polygon(rim), kMetal);
  p.save();
  p.setPen(ThinPen());
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, radius - 7, radius - 7);
  p.setBrush(kSteel);
  p.drawEllipse(centre, radius * 0.3, radius * 0.3);
  QPolygonF hex;
  for (int i = 0; i < 6; ++i) hex << Polar(centre, radius * 0.17, 30 + 60 * i);
  p.setBrush(kMetal);
  p.drawPolygon(hex);
  p.restore();
}

// A closed belt around `pulleys`, listed clockwise: outer tangents joined by arcs.
QPainterPath Belt(const std::vector<std::pair<QPointF, double>>& pulleys) {
  const std::size_t n = pulleys.size();
  std::vector<QPointF> leave(n), arrive(n);
  for (std::size_t i = 0; i < n; ++i) {
    const auto& [a, ra] = pulleys[i];
    const auto& [b, rb] = pulleys[(i + 1) % n];
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    const QPointF u = d / length, outward(u.y(), -u.x());
    const double c = (ra - rb) / length;
    const QPointF normal = u * c + outward * std::sqrt(1 - c * c);
    leave[i] = a + normal * ra;
    arrive[(i + 1) % n] = b + normal * rb;
  }
  QPainterPath belt;
  belt.moveTo(leave[0]);
  for (std::size_t k = 1; k <= n; ++k) {
    const std::size_t i = k % n;
    const auto& [centre, radius] = pulleys[i];
    belt.lineTo(arrive[i]);
    double from = std::atan2(arrive[i].y() - centre.y(), arrive[i].x() - centre.x());
    double to = std::atan2(leave[i].y() - centre.y(), leave[i].x() - centre.x());
    while (to < from) to += 2 * M_PI;
    for (double a = from; a < to; a += 0.05)
      belt.lineTo(centre + QPointF(std::cos(a), std::sin(a)) * radius);
    belt.lineTo(leave[i]);
  }
  belt.closeSubpath();
  return belt;
}

void DrawBelt(QPainter& p, const QPainterPath& belt) {
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kLine, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(belt);
  p.setPen(QPen(kSteel, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(belt);
  p.restore();
}

}  // namespace

QImage EngineSection() {
  TDrawingSheet sheet(380, 340);
  QPainter& p = sheet.P();

  // Cylinder head, cut through the intake valve.
  QPainterPath head = Polygon(QPolygonF(
      {{112, 150}, {112, 92}, {130, 84}, {130, 56}, {270, 56}, {270, 84}, {288, 92}, {288, 150}}));
  QPainterPath port;
  port.moveTo(112, 100);
  port.cubicTo(160, 98, 205, 110, 212, 141);
  port.lineTo(188, 141);
  port.cubicTo(184, 128, 150, 124, 112, 124);
  port.closeSubpath();
  QPainterPath chamber;
  chamber.moveTo(152, 151);
  chamber.cubicTo(160, 136, 220, 136, 228, 151);
  chamber.closeSubpath();
  const QPainterPath plugBore = Bar({266, 70}, {226, 146}, 14);
  const QPainterPath headJackets =
      Circle({140, 138}, 7).united(Rect(240, 96, 22, 14)).united(Circle({248, 134}, 6));
  head = head.subtracted(port)
             .subtracted(chamber)
             .subtracted(Rect(186, 68, 28, 58))
             .subtracted(Rect(197, 120, 6, 24))
             .subtracted(Rect(140, 50, 120, 18))
             .subtracted(Circle({200, 62}, 13))
             .subtracted(plugBore)
             .subtracted(headJackets);
  DrawSection(p, head);
  DrawPart(p, headJackets, kCoolant);

  // Intake pipe with the mixture going in.
  DrawPart(p, Rect(82, 96, 30, 4).united(Rect(82, 124, 30, 4)), kSteel);
  DrawArrow(p, {40, 112}, {104, 112}, kFluid, 2.2);

  // Head cover, camshaft, tappet with its shim, spring, valve.
  QPainterPath cover;
  cover.addRoundedRect(134, 24, 132, 34, 12, 12);
  QPainterPath coverInside;
  coverInside.addRoundedRect(138, 28, 124, 34, 9, 9);
  DrawPart(p, cover.subtracted(coverInside), kSteel);
  QPainterPath cam;
  cam.moveTo(189, 62);
  cam.cubicTo(189, 52, 195, 44, 200, 44);
  cam.cubicTo(205, 44, 211, 52, 211, 62);
  cam.arcTo(189, 51, 22, 22, 0, -180);
  DrawPart(p, cam, kMetal);
  p.setPen(ThinPen());
  p.drawEllipse(QPointF(200, 62), 4, 4);
  DrawPart(p, Rect(187, 74, 26, 20), kMetal);
  DrawPart(p, Rect(190, 74, 20, 4), kSteel);
  DrawPart(p, Rect(198, 92, 4, 48), kMetal);
  DrawPart(p, Polygon(QPolygonF(QList<QPointF>{{185, 146}, {215, 146}, {205, 139}, {195, 139}})),
           kMetal);
  DrawPart(p, Rect(189, 94, 22, 3), kSteel);
  DrawCoil(p, 200, 97, 122, 10, 5);

  // Spark plug in its well.
  DrawPart(p, Bar({262, 78}, {242, 116}, 10), kPaper);
  DrawPart(p, Bar({242, 116}, {230, 139}, 6), kSteel);
  p.setPen(OutlinePen(1.4));
  p.drawLine(QPointF(231, 139), QPointF(228, 145));

  // Block: walls cut, bore, water jackets, crankcase.
  QPainterPath block = Polygon(QPolygonF(
      QList<QPointF>{{116, 151}, {284, 151}, {284, 262}, {292, 280}, {108, 280}, {116, 262}}));
  const QPainterPath jackets = Rect(126, 158, 16, 66).united(Rect(238, 158, 16, 66));
  QPainterPath crankcase;
  crankcase.addRoundedRect(128, 236, 144, 70, 34, 34);
  block = block.subtracted(Rect(152, 150, 76, 100)).subtracted(jackets).subtracted(crankcase);
  DrawSection(p, block);
  DrawPart(p, jackets, kCoolant);
  p.setPen(OutlinePen(1));
  p.drawLine(QPointF(112, 151), QPointF(288, 151));

  // Piston, rod and crankshaft at 40 degrees after top dead centre.
  const QPointF main(190, 280), pistonPin(190, 190);
  const QPointF crankPin = Polar(main, 18, -90 + 40);
  QPainterPath piston;
  piston.addRect(154, 166, 72, 38);
  piston = piston.subtracted(Rect(162, 184, 56, 24));
  DrawPart(p, piston, kMetal);
  p.setPen(ThinPen());
  for (const double y : {171.0, 176.0, 181.0}) {
    p.drawLine(QPointF(154, y), QPointF(160, y));
    p.drawLine(QPointF(220, y), QPointF(226, y));
  }
  const QPainterPath rod = Bar(pistonPin, crankPin, 10)
                               .united(Circle(pistonPin, 8))
                               .united(Circle(crankPin, 14))
                               .subtracted(Circle(pistonPin, 4));
  DrawPart(p, rod, kMetal);
  QPainterPath counterweight;
  counterweight.moveTo(main);
  counterweight.arcTo(main.x() - 34, main.y() - 34, 68, 68, 140, 180);
  counterweight.closeSubpath();
  DrawPart(p, counterweight.united(Bar(main, crankPin, 22)), kSteel);
  DrawPart(p, Circle(crankPin, 8), kMetal);
  DrawPart(p, Circle(main, 12), kMetal);
  p.setPen(CentrePen());
  p.drawLine(QPointF(190, 40), QPointF(190, 330));

  // Sump with oil and the pump's pick-up.
  const QPainterPath sump = Polygon(QPolygonF(
      QList<QPointF>{{104, 280}, {296, 280}, {296, 285}, {278, 328}, {122, 328}, {104, 285}}));
  const QPainterPath sumpInside =
      Polygon(QPolygonF(QList<QPointF>{{108, 284}, {292, 284}, {275, 325}, {125, 325}}));
  DrawPart(p, sump.subtracted(sumpInside), kSteel);
  DrawPart(p, sumpInside.intersected(Rect(100, 308, 200, 30)), kOil);
  p.setPen(OutlinePen(1.4));
  p.drawLine(QPointF(150, 268), QPointF(150, 312));
  DrawPart(p, Rect(140, 312, 24, 6), kSteel);

  DrawCallout(p, {150, 33}, {40, 24}, 1);
  DrawCallout(p, {207, 55}, {340, 24}, 2);
  DrawCallout(p, {213, 84}, {340, 58}, 3);
  DrawCallout(p, {209, 110}, {340, 92}, 4);
  DrawCallout(p, {254, 96}, {340, 126}, 5);
  DrawCallout(p, {280, 140}, {340, 160}, 6);
  DrawCallout(p, {192, 143}, {40, 150}, 7);
  DrawCallout(p, {160, 176}, {40, 186}, 8);
  DrawCallout(p, {134, 196}, {40, 222}, 9);
  DrawCallout(p, {197, 226}, {340, 228}, 10);
  DrawCallout(p, {178, 292}, {40, 290}, 11);
  DrawCallout(p, {252, 318}, {340, 300}, 12);
  return sheet.Finish();
}

QImage TimingBelt() {
  TDrawingSheet sheet(340, 370);
  QPainter& p = sheet.P();
  const QPointF cam(170, 92), tensioner(244, 202), crank(170, 306), pump(94, 230);

  // Rear cover of the belt and the oil pump housing around the crank.
  QPainterPath cover;
  cover.addRoundedRect(58, 34, 224, 140, 40, 40);
  cover.addRoundedRect(54, 176, 230, 180, 30, 30);
  DrawPart(p, cover.simplified(), kMetal);
  QPainterPath oilPump;
  oilPump.addRoundedRect(126, 264, 88, 80, 18, 18);
  DrawPart(p, oilPump, QColor(0xc4, 0xd0, 0xdb));

  DrawBelt(p, Belt({{crank, 22}, {pump, 24}, {cam, 46}, {tensioner, 15}}));
  DrawToothedPulley(p, cam, 46, 42);
  DrawToothedPulley(p, pump, 24, 22);
  DrawToothedPulley(p, crank, 22, 19);
  // The tensioner: a plain roller on an eccentric.
  DrawPart(p, Circle(tensioner, 15), kMetal);
  DrawPart(p, Circle(tensioner + QPointF(-3, 2), 6), kSteel);
  p.setPen(ThinPen());
  p.drawEllipse(tensioner, 10, 10);

  // The marks, lined up: the cam pulley's notch under the cover's tab, the crank pulley's notch
  // at the oil pump's tab.
  p.setPen(QPen(kMark, 2.4, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(170, cam.y() - 44), QPointF(170, cam.y() - 30));
  p.drawLine(QPointF(170, crank.y() - 20), QPointF(170, crank.y() - 10));
  p.setPen(Qt::NoPen);
  p.setBrush(kMark);
  p.drawPolygon(QPolygonF(QList<QPointF>{{164, 22}, {176, 22}, {170, 32}}));
  p.drawPolygon(QPolygonF(QList<QPointF>{{164, 268}, {176, 268}, {170, 277}}));
  QPen guide(kMark, 0.9);
  guide.setDashPattern({4, 3});
  p.setPen(guide);
  p.drawLine(QPointF(170, 32), QPointF(170, cam.y() - 44));
  DrawLabel(p, {206, 18}, QString::fromUtf8("ВМТ"), 11, true, true, kMark);

  // Direction of rotation.
  QPainterPath turn;
  turn.arcMoveTo(QRectF(cam.x() - 64, cam.y() - 64, 128, 128), 60);
  turn.arcTo(QRectF(cam.x() - 64, cam.y() - 64, 128, 128), 60, -40);
  p.setPen(QPen(kLine, 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawPath(turn);
  const QPointF end = turn.currentPosition();
  DrawArrow(p, end + QPointF(-3, -5), end + QPointF(1, 2), kLine, 1.4);

  DrawCallout(p, {170, cam.y() - 36}, {34, 40}, 1);
  DrawCallout(p, {174, 26}, {306, 28}, 2);
  DrawCallout(p, {252, 212}, {310, 240}, 3);
  DrawCallout(p, {86, 238}, {30, 200}, 4);
  DrawCallout(p, {182, 318}, {300, 334}, 5);
  DrawCallout(p, {166, 272}, {30, 300}, 6);
  DrawCallout(p, {228, 150}, {310, 150}, 7);
  return sheet.Finish();
}

QImage HeadBoltOrder() {
  TDrawingSheet sheet(460, 214);
  QPainter& p = sheet.P();
  QPainterPath head;
  head.addRoundedRect(46, 40, 380, 124, 10, 10);
  DrawPart(p, head, kMetal);
  p.setPen(CentrePen());
  p.drawLine(QPointF(36, 102), QPointF(436, 102));
  // The camshaft's bearings between the bolts.
  p.setPen(ThinPen());
  p.setBrush(Qt::NoBrush);
  for (const double x : {112.0, 184.0, 256.0, 328.0, 400.0}) p.drawEllipse(QPointF(x, 102), 12, 12);

  // Tightened from the middle outwards, crossing from side to side.
  const double xs[] = {80, 152, 236, 310, 390};
  const int topOrder[] = {9, 5, 1, 3, 7};
  const int bottomOrder[] = {8, 4, 2, 6, 10};
  for (int i = 0; i < 5; ++i) {
    for (const bool top : {true, false}) {
      const QPointF bolt(xs[i], top ? 64 : 140);
      DrawPart(p, Circle(bolt, 9), kSteel);
      QPolygonF socket;
      for (int k = 0; k < 6; ++k) socket << Polar(bolt, 4.5, 60 * k);
      DrawPart(p, Polygon(socket), kPaper);
      const QPointF label = bolt + QPointF(0, top ? -26 : 26);
      p.setPen(QPen(kMark, 1.4));
      p.setBrush(kPaper);
      p.drawEllipse(label, 10, 10);
      DrawLabel(p, label, QString::number(top ? topOrder[i] : bottomOrder[i]), 12, true, true,
                kMark);
    }
  }
  DrawArrow(p, {40, 196}, {10, 196}, kLine, 1.4);
  DrawLabel(p, {46, 196}, QString::fromUtf8("к ремню ГРМ"), 12, false, false);
  DrawLabel(p, {330, 196}, QString::fromUtf8("Выпускная сторона"), 12, false, false);
  return sheet.Finish();
}

QImage ValveGap() {
  TDrawingSheet sheet(340, 230);
  QPainter& p = sheet.P();
  const QPointF centre(150, 74);

  QPainterPath left = Rect(40, 118, 66, 100), right = Rect(194, 118, 100, 100);
  DrawSection(p, left.united(right));

  // Cam with its base circle towards the tappet: the valve is closed.
  QPainterPath cam;
  cam.moveTo(centre + QPointF(-36, 0));
  cam.cubicTo(centre + QPointF(-36, -34), centre + QPointF(-16, -62), centre + QPointF(0, -62));
  cam.cubicTo(centre + QPointF(16, -62), centre + QPointF(36, -34), centre + QPointF(36, 0));
  cam.arcTo(QRectF(centre.x() - 36, centre.y() - 36, 72, 72), 0, -180);
  DrawPart(p, cam, kMetal);
  DrawPart(p, Circle(centre, 10), kSteel);
  p.setPen(CentrePen());
  p.drawLine(QPointF(150, 4), QPointF(150, 226));

  // Tappet and shim; the gap is drawn wider than it is.
  QPainterPath tappet = Rect(108, 118, 84, 100).subtracted(Rect(116, 134, 68, 90));
  DrawPart(p, tappet, kMetal);
  DrawPart(p, Rect(118, 118, 64, 6), kSteel);

  // Feeler gauge in the gap.
  DrawPart(p, Rect(112, 112, 210, 4), QColor(0xe9, 0xee, 0xf2));
  DrawPart(p, Rect(262, 104, 70, 20), kSteel);
  DrawLabel(p, {297, 114}, QString::fromUtf8("0,20"), 11, true);

  DrawArrow(p, {100, 92}, {100, 110}, kMark, 1.2);
  DrawArrow(p, {100, 136}, {100, 118}, kMark, 1.2);
  p.setPen(QPen(kMark, 0.9));
  p.drawLine(QPointF(88, 110), QPointF(114, 110));
  p.drawLine(QPointF(88, 118), QPointF(108, 118));
  DrawLabel(p, {52, 98}, QString::fromUtf8("зазор"), 12, false, false, kMark);

  DrawCallout(p, {170, 34}, {230, 24}, 1);
  DrawCallout(p, {230, 114}, {236, 66}, 2);
  DrawCallout(p, {128, 121}, {60, 148}, 3);
  DrawCallout(p, {188, 170}, {230, 176}, 4);
  return sheet.Finish();
}

QImage Dipstick() {
  TDrawingSheet sheet(420, 90);
  QPainter& p = sheet.P();
  // Handle ring, rod, blade with its two notches; oil wets the blade up to between them.
  p.setPen(OutlinePen(2.4));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(30, 45), 16, 12);
  DrawPart(p, Rect(46, 42, 70, 6), kMark);
  DrawPart(p, Rect(116, 43, 170, 4), kSteel);
  QPainterPath blade;
  blade.moveTo(286, 40);
  blade.lineTo(400, 40);
  blade.lineTo(410, 45);
  blade.lineTo(400, 50);
  blade.lineTo(286, 50);
  blade.closeSubpath();
  DrawPart(p, blade, kMetal);
  p.save();
  p.setClipPath(blade);
  p.fillRect(QRectF(338, 30, 90, 30), QColor(0xd9, 0xb8, 0x6a));
  p.restore();
  p.setPen(OutlinePen(1.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(blade);
  for (const double x : {322.0, 360.0}) p.drawLine(QPointF(x, 36), QPointF(x, 54));
  DrawLabel(p, {322, 66}, "MAX", 11, true);
  DrawLabel(p, {360, 66}, "MIN", 11, true);
  DrawLabel(p, {341, 22}, QString::fromUtf8("норма"), 11, false, true, kFluid);
  return sheet.Finish();
}

}  // namespace shelf::samplegen
