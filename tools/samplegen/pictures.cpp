#include "pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace shelf::samplegen {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The window's outline; Struct.txt's vertexmain lists the same points.
QPolygonF WindowOutline() {
  return QPolygonF({{0, 40},
                    {24, 16},
                    {260, 16},
                    {284, 0},
                    {516, 0},
                    {540, 16},
                    {776, 16},
                    {800, 40},
                    {800, 576},
                    {776, 600},
                    {24, 600},
                    {0, 576}});
}

const QColor kInk(0xe8, 0xee, 0xf3);
const QColor kBlueprint(0x7f, 0xd3, 0xff);

QFont Font(const QString& family, int pixelSize, int weight = QFont::Normal) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void DrawBody(QPainter& p) {
  QLinearGradient body(0, 0, 0, kHeight);
  body.setColorAt(0, QColor(0x22, 0x33, 0x45));
  body.setColorAt(1, QColor(0x0b, 0x12, 0x1b));
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawPolygon(WindowOutline());

  // A faint drawing-office grid.
  p.setPen(QPen(QColor(0x2a, 0x40, 0x56, 110), 1));
  for (int x = 20; x < kWidth; x += 20) p.drawLine(x, 44, x, kHeight - 30);
  for (int y = 60; y < kHeight - 20; y += 20) p.drawLine(8, y, kWidth - 8, y);

  // Steel rim along the outline.
  QLinearGradient rim(0, 0, 0, kHeight);
  rim.setColorAt(0, QColor(0xc4, 0xd0, 0xdb));
  rim.setColorAt(0.5, QColor(0x6a, 0x7d, 0x8f));
  rim.setColorAt(1, QColor(0x3a, 0x48, 0x56));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QBrush(rim), 6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPolygon(WindowOutline());
}

void DrawTitlePlate(QPainter& p) {
  const QRectF plate(292, 6, 216, 30);
  QLinearGradient metal(plate.topLeft(), plate.bottomLeft());
  metal.setColorAt(0, QColor(0xdf, 0xe6, 0xec));
  metal.setColorAt(0.45, QColor(0x9d, 0xab, 0xb8));
  metal.setColorAt(1, QColor(0x6b, 0x7a, 0x88));
  p.setPen(QPen(QColor(0x2b, 0x36, 0x40), 1));
  p.setBrush(metal);
  p.drawRoundedRect(plate, 6, 6);
  p.setFont(Font("Liberation Sans", 19, QFont::Bold));
  p.setPen(QColor(0x1a, 0x24, 0x2e));
  p.drawText(plate, Qt::AlignCenter, QString::fromUtf8("ВЕКТОР-2107"));
}

void DrawHeadline(QPainter& p) {
  p.setPen(kInk);
  p.setFont(Font("Liberation Serif", 38, QFont::Bold));
  p.drawText(QRectF(0, 70, kWidth, 50), Qt::AlignHCenter,
             QString::fromUtf8("Руководство по ремонту"));
  p.drawText(QRectF(0, 118, kWidth, 50), Qt::AlignHCenter,
             QString::fromUtf8("и эксплуатации автомобиля"));
  p.setPen(QColor(0x9f, 0xb6, 0xc9));
  p.setFont(Font("Liberation Sans", 16));
  p.drawText(QRectF(0, 176, kWidth, 24), Qt::AlignHCenter,
             QString::fromUtf8("Седан «Вектор-2107» · бензиновые двигатели 1,5 и 1,7 л"));
}

// A side view of the car in blueprint lines, with dimension lines under it.
void DrawCar(QPainter& p) {
  p.save();
  p.translate(150, 250);
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
  for (const QPointF centre : {QPointF(96, 120), QPointF(404, 120)}) {
    p.setBrush(QColor(0x0b, 0x12, 0x1b));
    p.setPen(QPen(kBlueprint, 2));
    p.drawEllipse(centre, 36, 36);
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
  p.setPen(QPen(QColor(0x9f, 0xb6, 0xc9), 1));
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

void DrawFooter(QPainter& p) {
  // The band where the title screen's buttons stand.
  QLinearGradient band(0, 500, 0, 560);
  band.setColorAt(0, QColor(0x2c, 0x3e, 0x50, 200));
  band.setColorAt(1, QColor(0x16, 0x22, 0x2e, 200));
  p.setPen(QPen(QColor(0x55, 0x6b, 0x80), 1));
  p.setBrush(band);
  p.drawRoundedRect(QRectF(40, 500, 720, 60), 10, 10);
  p.setPen(QColor(0x6f, 0x86, 0x9b));
  p.setFont(Font("Liberation Sans", 12));
  p.drawText(QRectF(0, 570, kWidth, 18), Qt::AlignHCenter,
             QString::fromUtf8("Учебная книга для программы Shelf · все данные вымышлены"));
}

QImage TitleScreen() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(QColor(0x0b, 0x12, 0x1b));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  DrawBody(p);
  DrawTitlePlate(p);
  DrawHeadline(p);
  DrawCar(p);
  DrawFooter(p);
  p.end();
  return image.convertToFormat(QImage::Format_RGB888);
}

}  // namespace

std::vector<TPicture> DrawPictures() {
  return {{"run/fon1.bmp", false, TitleScreen()}};
}

}  // namespace shelf::samplegen
