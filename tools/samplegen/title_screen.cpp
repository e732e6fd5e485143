#include "title_screen.h"

#include <QLinearGradient>
#include <QPainterPath>

#include "car_outline.h"
#include "sample_layout.h"
#include "window_art.h"

namespace shelf::samplegen {
namespace {

using layout::kWidth;

// The headline over the film panel, centred on it.
void DrawHeadline(QPainter& p) {
  const QRectF over(layout::kFilmPanel.left(), 0, layout::kFilmPanel.width(), 0);
  p.setPen(kInk);
  p.setFont(Font("Liberation Serif", 27, QFont::Bold));
  p.drawText(over.adjusted(0, 44, 0, 80), Qt::AlignHCenter,
             QString::fromUtf8("Руководство по ремонту и эксплуатации"));
  p.setPen(kDimInk);
  p.setFont(Font("Liberation Sans", 15));
  p.drawText(over.adjusted(0, 92, 0, 114), Qt::AlignHCenter,
             QString::fromUtf8("Седан «Вектор-2107» · бензиновые двигатели 1,5 и 1,7 л"));
}

// A side view of the car in blueprint lines, with dimension lines under it.
void DrawCar(QPainter& p) {
  // The film plays in this frame when its switch is on; the drawing is what it replaces.
  DrawRecess(p, layout::kFilmPanel, 4, kNight);
  p.save();
  p.translate(layout::kFilmPanel.center().x() - 273, layout::kFilmPanel.top() + 30);
  const QPainterPath body = car::Body();

  QLinearGradient fill(0, 0, 0, 130);
  fill.setColorAt(0, QColor(0x7f, 0xd3, 0xff, 70));
  fill.setColorAt(1, QColor(0x7f, 0xd3, 0xff, 15));
  p.setBrush(fill);
  p.setPen(QPen(QColor(0x7f, 0xd3, 0xff, 60), 7));  // glow
  p.drawPath(body);
  p.setPen(QPen(kBlueprint, 2));
  p.drawPath(body);

  // Windows, door lines, lamps.
  p.setBrush(QColor(0x7f, 0xd3, 0xff, 40));
  const QPainterPath windows = car::Windows();
  p.setPen(QPen(kBlueprint, 1.5));
  p.drawPath(windows);
  p.drawLine(QPointF(296, 62), QPointF(296, 118));
  p.drawLine(QPointF(160, 62), QPointF(156, 118));
  p.drawLine(QPointF(420, 66), QPointF(424, 112));
  p.drawLine(QPointF(240, 80), QPointF(262, 80));
  p.drawLine(QPointF(338, 80), QPointF(360, 80));
  p.setBrush(QColor(0xff, 0xd0, 0x60, 160));
  p.drawRoundedRect(QRectF(490, 78, 10, 12), 2, 2);
  p.setBrush(QColor(0xff, 0x50, 0x40, 160));
  p.drawRoundedRect(QRectF(2, 80, 8, 14), 2, 2);

  // Wheels with rims.
  for (const QPointF centre : car::kWheelCentres) {
    p.setBrush(kNight);
    p.setPen(QPen(kBlueprint, 2));
    p.drawEllipse(centre, car::kWheelRadius, car::kWheelRadius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlueprint, 1.2));
    p.drawEllipse(centre, 22, 22);
    p.drawEllipse(centre, 5, 5);
    for (int spoke = 0; spoke < 5; ++spoke) {
      p.save();
      p.translate(centre);
      p.rotate(spoke * 72);
      p.drawLine(QPointF(0, -7), QPointF(0, -20));
      p.restore();
    }
  }

  // Dimension lines.
  p.setPen(QPen(kDimInk, 1));
  p.setFont(Font("Liberation Sans", 13));
  p.drawLine(0, 178, 502, 178);
  p.drawLine(0, 170, 0, 186);
  p.drawLine(502, 170, 502, 186);
  p.drawText(QRectF(0, 182, 502, 20), Qt::AlignHCenter, QString::fromUtf8("4116 мм"));
  p.drawLine(96, 140, 96, 166);
  p.drawLine(404, 140, 404, 166);
  p.drawLine(96, 160, 404, 160);
  p.drawText(QRectF(96, 140, 308, 18), Qt::AlignHCenter,
             QString::fromUtf8("колёсная база 2424 мм"));
  p.drawLine(530, 2, 530, 156);
  p.drawLine(522, 2, 538, 2);
  p.drawLine(522, 156, 538, 156);
  p.save();
  p.translate(546, 120);
  p.rotate(-90);
  p.drawText(QRectF(0, -12, 110, 20), Qt::AlignHCenter, QString::fromUtf8("1446 мм"));
  p.restore();
  p.restore();
}

// The settings row: the sound switch at the left; at the right the engine choice, introduced by
// its label and the running piston the program animates in the small window between them.
void DrawSettingsRow(QPainter& p) {
  DrawBand(p, layout::kSettingsRow);
  const QRectF window = QRectF(layout::kBusyAnimation).adjusted(-4, -4, 4, 4);
  p.setPen(QPen(QColor(0x55, 0x6b, 0x80), 1.5));
  p.setBrush(QColor(0x10, 0x1a, 0x25));
  p.drawRoundedRect(window, 7, 7);
  p.setPen(kDimInk);
  p.setFont(Font("Liberation Sans", 13));
  const qreal labelLeft = layout::kCaseSwitch.right() + 8;
  p.drawText(QRectF(labelLeft, layout::kEngineSwitches[0].top(), window.left() - 8 - labelLeft,
                    layout::kEngineSwitches[0].height()),
             Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8("Двигатель:"));
}

void DrawFooter(QPainter& p) {
  DrawBand(p, layout::kButtonBand);
  p.setPen(kMutedInk);
  p.setFont(Font("Liberation Sans", 12));
  p.drawText(QRectF(0, 574, kWidth, 18), Qt::AlignHCenter,
             QString::fromUtf8("Учебная книга для программы Shelf · все данные вымышлены"));
}

}  // namespace

QImage TitleScreen() {
  QImage image = NewScreen();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  DrawHeadline(p);
  DrawCar(p);
  DrawSettingsRow(p);
  DrawFooter(p);
  return image;
}

}  // namespace shelf::samplegen
