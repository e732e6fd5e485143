#include "wiring_scheme.h"

#include "drawing_sheet.h"
#include "drawing_style.h"
#include "gif_writer.h"

namespace shelf::samplegen {
namespace {

constexpr double kBusY = 90;
constexpr double kFuseY = 140;
constexpr double kLoadY = 390;
constexpr double kGroundY = 470;

void Wire(QPainter& p, const QPolygonF& points, double width = 1.6) {
  p.save();
  p.setPen(QPen(kLine, width, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
  p.drawPolyline(points);
  p.restore();
}

void Joint(QPainter& p, QPointF at) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(kLine);
  p.drawEllipse(at, 3.5, 3.5);
  p.restore();
}

void Ground(QPainter& p, QPointF at) {
  p.save();
  p.setPen(OutlinePen(1.4));
  p.drawLine(at, at + QPointF(0, 10));
  for (int i = 0; i < 3; ++i)
    p.drawLine(at + QPointF(-10 + 3 * i, 10 + 4 * i), at + QPointF(10 - 3 * i, 10 + 4 * i));
  p.restore();
}

void Fuse(QPainter& p, QPointF top, const QString& name) {
  p.save();
  p.setPen(OutlinePen(1.4));
  p.setBrush(kPaper);
  p.drawRect(QRectF(top.x() - 7, top.y(), 14, 34));
  p.drawLine(top, top + QPointF(0, 34));
  p.restore();
  DrawLabel(p, top + QPointF(24, 17), name, 11, true);
}

// A switch in the feed: open contact drawn at 30 degrees.
void Switch(QPainter& p, QPointF top, const QString& name) {
  p.save();
  p.setPen(OutlinePen(1.6));
  p.drawLine(top, top + QPointF(14, 26));
  p.restore();
  Joint(p, top);
  Joint(p, top + QPointF(0, 30));
  DrawLabel(p, top + QPointF(-26, 15), name, 10);
}

enum class TLoad { Lamp, Motor, Horn, Heater, Gauge };

void Load(QPainter& p, QPointF centre, TLoad kind) {
  p.save();
  p.setPen(OutlinePen(1.6));
  p.setBrush(kPaper);
  switch (kind) {
    case TLoad::Lamp:
      p.drawEllipse(centre, 16, 16);
      p.drawLine(centre + QPointF(-11, -11), centre + QPointF(11, 11));
      p.drawLine(centre + QPointF(-11, 11), centre + QPointF(11, -11));
      break;
    case TLoad::Motor:
      p.drawEllipse(centre, 18, 18);
      DrawLabel(p, centre, "M", 15, true);
      break;
    case TLoad::Horn:
      p.drawPolygon(QPolygonF(QList<QPointF>{centre + QPointF(-8, -12), centre + QPointF(8, -20),
                                             centre + QPointF(8, 20), centre + QPointF(-8, 12)}));
      break;
    case TLoad::Heater:
      p.drawRect(QRectF(centre.x() - 9, centre.y() - 20, 18, 40));
      for (int i = 0; i < 4; ++i)
        p.drawLine(centre + QPointF(-9, -14 + 9 * i), centre + QPointF(9, -10 + 9 * i));
      break;
    case TLoad::Gauge:
      p.drawEllipse(centre, 18, 18);
      p.drawLine(centre, centre + QPointF(10, -10));
      break;
  }
  p.restore();
}

struct TCircuit {
  const char* Fuse;
  const char* Switch;  // empty: fed straight from the fuse
  TLoad Kind;
  int Loads;  // 1 or 2 (left and right side)
  const char* Wire;
  const char* Name;
};

}  // namespace

QImage WiringScheme() {
  TDrawingSheet sheet(1560, 600);
  QPainter& p = sheet.P();
  // Frame and title block, as the printed diagram has them.
  p.setPen(OutlinePen(2));
  p.drawRect(QRectF(8, 8, 1544, 584));
  p.setPen(ThinPen());
  p.drawRect(QRectF(1152, 540, 392, 44));
  DrawLabel(p, {1348, 555}, QString::fromUtf8("Схема электрооборудования «Вектор-2107»"), 13, true);
  DrawLabel(p, {1348, 574}, QString::fromUtf8("упрощённая, цепи 12 В, лист 1"), 11);

  // Battery and generator feed the bus.
  p.setPen(OutlinePen(2));
  for (int cell = 0; cell < 3; ++cell) {
    const double y = 180 + cell * 16;
    p.drawLine(QPointF(46, y), QPointF(82, y));
    p.setPen(OutlinePen(4.5));
    p.drawLine(QPointF(55, y + 7), QPointF(73, y + 7));
    p.setPen(OutlinePen(2));
  }
  DrawLabel(p, {40, 160}, QString::fromUtf8("АКБ 55 А·ч"), 12, true, false);
  Wire(p, QPolygonF(QList<QPointF>{{64, 180}, {64, kBusY}, {1490, kBusY}}), 3.2);
  Wire(p, QPolygonF(QList<QPointF>{{64, 230}, {64, kGroundY}}));
  Ground(p, {64, kGroundY});
  p.setPen(OutlinePen(1.8));
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(150, 330), 30, 30);
  DrawLabel(p, {150, 330}, QString::fromUtf8("Г"), 20, true);
  DrawLabel(p, {150, 378}, QString::fromUtf8("Генератор 55 А"), 11);
  Wire(p, QPolygonF(QList<QPointF>{{150, 300}, {150, kBusY}}), 2.6);
  Joint(p, {150, kBusY});
  Wire(p, QPolygonF(QList<QPointF>{{150, 360}, {150, kGroundY}}));
  Ground(p, {150, kGroundY});
  DrawLabel(p, {760, kBusY - 18}, QString::fromUtf8("+12 В, провод Р 6 мм²"), 12, true);

  const TCircuit circuits[] = {
      {"F1", "", TLoad::Horn, 1, "Ч 0,75", "Звуковой сигнал"},
      {"F2", "S2", TLoad::Motor, 1, "С 1,5", "Стеклоочиститель"},
      {"F3", "S3", TLoad::Heater, 1, "Б 2,5", "Отопитель"},
      {"F4", "", TLoad::Gauge, 1, "О 0,75", "Приборы"},
      {"F5", "S5", TLoad::Lamp, 2, "Г 1,0", "Стоп-сигналы"},
      {"F6", "S6", TLoad::Lamp, 2, "З 1,0", "Дальний свет"},
      {"F7", "S6", TLoad::Lamp, 2, "Ж 1,0", "Ближний свет"},
      {"F8", "S8", TLoad::Lamp, 2, "К 0,75", "Габариты"},
      {"F9", "S9", TLoad::Lamp, 2, "ГЧ 0,75", "Указатели поворота"},
      {"F10", "", TLoad::Motor, 1, "П 2,5", "Вентилятор радиатора"},
  };
  double x = 260;
  bool lower = false;  // names alternate between two rows so long ones do not touch
  for (const TCircuit& c : circuits) {
    Joint(p, {x, kBusY});
    Wire(p, QPolygonF(QList<QPointF>{{x, kBusY}, {x, kFuseY}}));
    Fuse(p, {x, kFuseY}, QString::fromLatin1(c.Fuse));
    double y = kFuseY + 34;
    if (*c.Switch) {
      Wire(p, QPolygonF(QList<QPointF>{{x, y}, {x, 230}}));
      Switch(p, {x, 230}, QString::fromLatin1(c.Switch));
      y = 260;
    }
    DrawLabel(p, {x + 30, 300}, QString::fromUtf8(c.Wire), 10, false, true, kFluid);
    if (c.Loads == 1) {
      Wire(p, QPolygonF(QList<QPointF>{{x, y}, {x, kLoadY - 20}}));
      Load(p, {x, kLoadY}, c.Kind);
      Wire(p, QPolygonF(QList<QPointF>{{x, kLoadY + 20}, {x, kGroundY}}));
      Ground(p, {x, kGroundY});
    } else {
      Wire(p, QPolygonF(QList<QPointF>{{x, y}, {x, 340}}));
      Joint(p, {x, 340});
      for (const double side : {-26.0, 26.0}) {
        Wire(p, QPolygonF(QList<QPointF>{{x, 340}, {x + side, 340}, {x + side, kLoadY - 16}}));
        Load(p, {x + side, kLoadY}, c.Kind);
        Wire(p, QPolygonF(QList<QPointF>{{x + side, kLoadY + 16}, {x + side, 445}, {x, 445}}));
      }
      Wire(p, QPolygonF(QList<QPointF>{{x, 445}, {x, kGroundY}}));
      Ground(p, {x, kGroundY});
    }
    DrawLabel(p, {x, lower ? 522.0 : 504.0}, QString::fromUtf8(c.Name), 11);
    lower = !lower;
    x += 120;
  }
  return sheet.Finish();
}

QByteArray WiringSchemeGif(QString& error) {
  return EncodeGif({WiringScheme()}, DrawingPalette(), 0, error);
}

}  // namespace shelf::samplegen
