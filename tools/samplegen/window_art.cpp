#include "window_art.h"

#include <QLinearGradient>

#include "sample_layout.h"

namespace shelf::samplegen {
namespace {

using layout::kHeight;
using layout::kWidth;

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

}  // namespace

QFont Font(const QString& family, int pixelSize, int weight) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

QPolygonF WindowOutline() {
  return QPolygonF(QList<QPointF>{{0, 40},
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

QImage NewScreen() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(kNight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  DrawBody(p);
  DrawTitlePlate(p);
  return image;
}

void DrawBand(QPainter& p, const QRectF& rect) {
  QLinearGradient band(rect.topLeft(), rect.bottomLeft());
  band.setColorAt(0, QColor(0x2c, 0x3e, 0x50, 200));
  band.setColorAt(1, QColor(0x16, 0x22, 0x2e, 200));
  p.setPen(QPen(QColor(0x55, 0x6b, 0x80), 1));
  p.setBrush(band);
  p.drawRoundedRect(rect, 10, 10);
}

void DrawRecess(QPainter& p, const QRect& inner, int depth, const QColor& fill) {
  p.save();
  // A steel bezel around the opening.
  const QRectF bezel = QRectF(inner).adjusted(-depth - 0.5, -depth - 0.5, depth + 0.5, depth + 0.5);
  QLinearGradient steel(bezel.topLeft(), bezel.bottomLeft());
  steel.setColorAt(0, QColor(0x4a, 0x5e, 0x71));
  steel.setColorAt(1, QColor(0x26, 0x34, 0x42));
  p.setPen(QPen(QColor(0x6f, 0x86, 0x9b), 1));
  p.setBrush(steel);
  p.drawRoundedRect(bezel, depth, depth);
  // The opening, its upper and left walls in shadow, the lower and right ones catching light.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(inner, fill);
  const QRect wall = inner.adjusted(-1, -1, 0, 0);
  p.setPen(QColor(0x05, 0x0a, 0x10));
  p.drawLine(wall.topLeft(), wall.topRight());
  p.drawLine(wall.topLeft(), wall.bottomLeft());
  p.setPen(QColor(0x9f, 0xb6, 0xc9));
  p.drawLine(inner.bottomLeft() + QPoint(-1, 1), inner.bottomRight() + QPoint(1, 1));
  p.drawLine(inner.topRight() + QPoint(1, -1), inner.bottomRight() + QPoint(1, 1));
  p.restore();
}

}  // namespace shelf::samplegen
