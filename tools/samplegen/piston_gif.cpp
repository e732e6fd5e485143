#include "piston_gif.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cmath>
#include <vector>

#include "gif_writer.h"
#include "sample_layout.h"
#include "window_art.h"

namespace shelf::samplegen {
namespace {

constexpr int kFrames = 10;
constexpr int kFrameDelay = 8;  // hundredths of a second
constexpr int kSide = layout::kBusyAnimation.width();
constexpr int kColors = 256;

// One turn of the crank split into kFrames steps; the spark fires at top dead centre.
QImage DrawFrame(int frame) {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(kPistonGround);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  constexpr double kMiddle = kSide / 2.0, kHead = 4, kWallLeft = 8, kWallRight = kSide - 8;
  constexpr double kThrow = 4, kRod = 10, kPistonHeight = 8;
  const QPointF crank(kMiddle, 30);
  const double angle = 2 * M_PI * frame / kFrames;
  const QPointF pin = crank + QPointF(kThrow * std::sin(angle), -kThrow * std::cos(angle));
  const double pistonBottom = pin.y() - std::sqrt(kRod * kRod - std::pow(pin.x() - kMiddle, 2));
  const QRectF piston(kWallLeft + 1.5, pistonBottom - kPistonHeight, kWallRight - kWallLeft - 3,
                      kPistonHeight);

  // The bore, and the flash of the charge burning around top dead centre.
  const QRectF bore(kWallLeft, kHead, kWallRight - kWallLeft, piston.top() - kHead);
  p.fillRect(bore, QColor(0x1a, 0x24, 0x2e));
  if (frame == 0 || frame == 1) {
    const double radius = frame == 0 ? 12 : 7;
    QRadialGradient flash(QPointF(kMiddle, kHead + 2), radius);
    flash.setColorAt(0, QColor(0xff, 0xf4, 0xc8));
    flash.setColorAt(0.45, kAmber);
    flash.setColorAt(1, QColor(kAmber.red(), kAmber.green(), kAmber.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(flash);
    p.setClipRect(bore);
    p.drawEllipse(QPointF(kMiddle, kHead + 2), radius, radius);
    p.setClipping(false);
  }

  // Rod and crank.
  p.setPen(QPen(kDimInk, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(kMiddle, piston.bottom() - 2), pin);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kBlueprint, 1.4));
  p.drawEllipse(crank, kThrow + 1.5, kThrow + 1.5);
  p.setBrush(kInk);
  p.setPen(Qt::NoPen);
  p.drawEllipse(pin, 1.8, 1.8);

  // The piston with its rings.
  QLinearGradient metal(piston.topLeft(), piston.topRight());
  metal.setColorAt(0, QColor(0x6b, 0x7a, 0x88));
  metal.setColorAt(0.4, QColor(0xdf, 0xe6, 0xec));
  metal.setColorAt(1, QColor(0x6b, 0x7a, 0x88));
  p.setBrush(metal);
  p.setPen(QPen(QColor(0x1a, 0x24, 0x2e), 0.8));
  p.drawRect(piston);
  p.setPen(QPen(QColor(0x3a, 0x48, 0x56), 0.9));
  for (const double ring : {2.5, 4.8})
    p.drawLine(QPointF(piston.left(), piston.top() + ring),
               QPointF(piston.right(), piston.top() + ring));

  // Cylinder walls, head and spark plug over everything.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kBlueprint, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.drawPolyline(QPolygonF(
      QList<QPointF>{{kWallLeft, 25}, {kWallLeft, kHead}, {kWallRight, kHead}, {kWallRight, 25}}));
  p.setPen(QPen(kBlueprint, 2.5, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(kMiddle, 0), QPointF(kMiddle, kHead));
  return image;
}

// Ramps from the ground to every colour the frames use; antialiased edges fall on them.
QList<QRgb> Palette() {
  const QColor ends[] = {kBlueprint,
                         kDimInk,
                         kInk,
                         kAmber,
                         QColor(0xff, 0xf4, 0xc8),
                         QColor(0x6b, 0x7a, 0x88),
                         QColor(0xdf, 0xe6, 0xec),
                         QColor(0x1a, 0x24, 0x2e),
                         QColor(0x3a, 0x48, 0x56)};
  constexpr int kSteps = kColors / std::size(ends);
  QList<QRgb> palette;
  for (const QColor& end : ends) {
    for (int step = 0; step < kSteps; ++step) {
      const double t = double(step) / (kSteps - 1);
      palette.push_back(qRgb(std::lround(kPistonGround.red() * (1 - t) + end.red() * t),
                             std::lround(kPistonGround.green() * (1 - t) + end.green() * t),
                             std::lround(kPistonGround.blue() * (1 - t) + end.blue() * t)));
    }
  }
  // The metal of the piston blends its two greys.
  while (palette.size() < kColors) {
    const double t = double(palette.size() % 16) / 15;
    palette.push_back(qRgb(std::lround(0x6b + (0xdf - 0x6b) * t),
                           std::lround(0x7a + (0xe6 - 0x7a) * t),
                           std::lround(0x88 + (0xec - 0x88) * t)));
  }
  return palette;
}

}  // namespace

QByteArray PistonGif(QString& error) {
  std::vector<QImage> frames;
  for (int frame = 0; frame < kFrames; ++frame) frames.push_back(DrawFrame(frame));
  return EncodeGif(frames, Palette(), kFrameDelay, error);
}

}  // namespace shelf::samplegen
