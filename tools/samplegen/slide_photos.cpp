#include "slide_photos.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "car_outline.h"
#include "picture_files.h"
#include "sample_layout.h"

namespace shelf::samplegen {
namespace {

constexpr int kScale = 2;  // scenes are drawn larger and scaled down, which softens them
constexpr int kBorder = 3;

using TScene = std::function<void(QPainter&, QSizeF)>;

QLinearGradient Vertical(double top, double bottom, const QColor& from, const QColor& to) {
  QLinearGradient g(0, top, 0, bottom);
  g.setColorAt(0, from);
  g.setColorAt(1, to);
  return g;
}

// The car's side, `length` long, with its sills at `sills` and its body in `paint`.
void DrawCar(QPainter& p, QPointF sills, double length, const QBrush& paint, const QColor& glass) {
  const double k = length / car::kLength;
  p.save();
  p.translate(sills - QPointF(0, 120 * k));
  p.scale(k, k);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));  // the shadow on the ground
  p.drawEllipse(QRectF(-10, 140, car::kLength + 20, 26));
  p.setBrush(paint);
  p.drawPath(car::Body());
  p.setBrush(glass);
  p.drawPath(car::Windows());
  for (const QPointF centre : car::kWheelCentres) {
    p.setBrush(QColor(0x15, 0x15, 0x18));
    p.drawEllipse(centre, car::kWheelRadius, car::kWheelRadius);
    QRadialGradient rim(centre - QPointF(5, 6), 24);
    rim.setColorAt(0, QColor(0xe0, 0xe4, 0xe8));
    rim.setColorAt(1, QColor(0x60, 0x66, 0x6c));
    p.setBrush(rim);
    p.drawEllipse(centre, 20, 20);
  }
  p.restore();
}

void SunsetRoad(QPainter& p, QSizeF s) {
  p.fillRect(QRectF(QPointF(), s),
             Vertical(0, s.height() * 0.6, QColor(0x3a, 0x2a, 0x6a), QColor(0xff, 0x9a, 0x4a)));
  QRadialGradient sun(QPointF(s.width() * 0.7, s.height() * 0.52), s.width() * 0.35);
  sun.setColorAt(0, QColor(0xff, 0xf4, 0xc0));
  sun.setColorAt(0.15, QColor(0xff, 0xd0, 0x70, 220));
  sun.setColorAt(1, QColor(0xff, 0x90, 0x40, 0));
  p.fillRect(QRectF(QPointF(), s), sun);
  QPainterPath hills;
  hills.moveTo(0, s.height() * 0.6);
  hills.cubicTo(s.width() * 0.3, s.height() * 0.48, s.width() * 0.6, s.height() * 0.66, s.width(),
                s.height() * 0.55);
  hills.lineTo(s.width(), s.height());
  hills.lineTo(0, s.height());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2a, 0x22, 0x3a));
  p.drawPath(hills);
  p.setBrush(
      Vertical(s.height() * 0.62, s.height(), QColor(0x40, 0x38, 0x48), QColor(0x20, 0x1c, 0x24)));
  p.drawPolygon(QPolygonF({{s.width() * 0.46, s.height() * 0.62},
                           {s.width() * 0.54, s.height() * 0.62},
                           {s.width() * 1.1, s.height()},
                           {-s.width() * 0.1, s.height()}}));
  p.setPen(QPen(QColor(0xff, 0xe0, 0xa0, 200), 2.5, Qt::DashLine));
  p.drawLine(QPointF(s.width() * 0.5, s.height() * 0.63), QPointF(s.width() * 0.5, s.height()));
  DrawCar(p, QPointF(s.width() * 0.08, s.height() * 0.9), s.width() * 0.84,
          QColor(0x18, 0x14, 0x20), QColor(0xff, 0xb0, 0x60, 120));
}

void Garage(QPainter& p, QSizeF s) {
  p.fillRect(QRectF(QPointF(), s),
             Vertical(0, s.height() * 0.7, QColor(0x8a, 0x8e, 0x92), QColor(0x5a, 0x5e, 0x62)));
  p.fillRect(
      QRectF(0, s.height() * 0.7, s.width(), s.height() * 0.3),
      Vertical(s.height() * 0.7, s.height(), QColor(0x4a, 0x4a, 0x4c), QColor(0x2a, 0x2a, 0x2c)));
  QRadialGradient lamp(QPointF(s.width() * 0.5, 0), s.height() * 0.8);
  lamp.setColorAt(0, QColor(255, 250, 230, 150));
  lamp.setColorAt(1, QColor(255, 250, 230, 0));
  p.fillRect(QRectF(QPointF(), s), lamp);
  QLinearGradient paint(0, s.height() * 0.45, 0, s.height() * 0.85);
  paint.setColorAt(0, QColor(0xf0, 0x60, 0x50));
  paint.setColorAt(0.35, QColor(0xb0, 0x18, 0x18));
  paint.setColorAt(1, QColor(0x50, 0x08, 0x08));
  DrawCar(p, QPointF(s.width() * 0.06, s.height() * 0.84), s.width() * 0.88, paint,
          QColor(0x30, 0x3a, 0x44, 230));
}

void NightStreet(QPainter& p, QSizeF s) {
  p.fillRect(QRectF(QPointF(), s),
             Vertical(0, s.height(), QColor(0x08, 0x0c, 0x20), QColor(0x1a, 0x22, 0x3a)));
  std::mt19937 random(7);
  for (int b = 0; b < 6; ++b) {
    const double left = b * s.width() / 5.5 - 6, width = s.width() / 6;
    const double top = s.height() * (0.25 + 0.3 * (random() % 100) / 100.0);
    p.fillRect(QRectF(left, top, width, s.height() - top), QColor(0x10, 0x14, 0x22));
    for (double y = top + 6; y < s.height() * 0.75; y += 10)
      for (double x = left + 4; x < left + width - 6; x += 9)
        if (random() % 3 == 0) p.fillRect(QRectF(x, y, 4, 5), QColor(0xff, 0xd8, 0x80, 200));
  }
  p.fillRect(QRectF(0, s.height() * 0.78, s.width(), s.height() * 0.22), QColor(0x14, 0x16, 0x1c));
  DrawCar(p, QPointF(s.width() * 0.1, s.height() * 0.93), s.width() * 0.8, QColor(0x2a, 0x40, 0x70),
          QColor(0x90, 0xa0, 0xc0, 120));
  QRadialGradient headlight(QPointF(s.width() * 0.92, s.height() * 0.83), s.width() * 0.3);
  headlight.setColorAt(0, QColor(255, 255, 220, 230));
  headlight.setColorAt(1, QColor(255, 255, 220, 0));
  p.fillRect(QRectF(QPointF(), s), headlight);
}

// A part lying on a workbench under a lamp.
void Workbench(QPainter& p, QSizeF s) {
  p.fillRect(QRectF(QPointF(), s),
             Vertical(0, s.height(), QColor(0x6a, 0x5a, 0x48), QColor(0x3a, 0x30, 0x26)));
  QRadialGradient lamp(QPointF(s.width() * 0.4, s.height() * 0.3), s.height() * 0.8);
  lamp.setColorAt(0, QColor(255, 240, 210, 110));
  lamp.setColorAt(1, QColor(255, 240, 210, 0));
  p.fillRect(QRectF(QPointF(), s), lamp);
}

QRadialGradient Metal(QPointF centre, double radius) {
  QRadialGradient metal(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.4);
  metal.setColorAt(0, QColor(0xf2, 0xf4, 0xf6));
  metal.setColorAt(0.5, QColor(0xa0, 0xa6, 0xac));
  metal.setColorAt(1, QColor(0x50, 0x54, 0x58));
  return metal;
}

void BrakeDisc(QPainter& p, QSizeF s) {
  Workbench(p, s);
  const QPointF c(s.width() / 2, s.height() / 2);
  const double r = s.width() * 0.4;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawEllipse(c + QPointF(5, 7), r, r);
  p.setBrush(Metal(c, r));
  p.drawEllipse(c, r, r);
  p.setBrush(QColor(0x40, 0x42, 0x46));
  p.drawEllipse(c, r * 0.42, r * 0.42);
  p.setBrush(Metal(c, r * 0.3));
  p.drawEllipse(c, r * 0.32, r * 0.32);
  p.setBrush(QColor(0x20, 0x22, 0x24));
  for (int hole = 0; hole < 4; ++hole) {
    const double a = hole * M_PI / 2 + 0.4;
    p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * r * 0.2, r * 0.05, r * 0.05);
  }
  p.setBrush(QColor(0xc0, 0x20, 0x20));  // the caliper
  p.drawRoundedRect(QRectF(c.x() + r * 0.55, c.y() - r * 0.55, r * 0.35, r * 1.1), 6, 6);
}

void Piston(QPainter& p, QSizeF s) {
  Workbench(p, s);
  const QRectF body(s.width() * 0.22, s.height() * 0.28, s.width() * 0.56, s.height() * 0.46);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawRoundedRect(body.translated(6, 8), 8, 8);
  QLinearGradient metal(body.topLeft(), body.topRight());
  metal.setColorAt(0, QColor(0x70, 0x74, 0x78));
  metal.setColorAt(0.35, QColor(0xf0, 0xf2, 0xf4));
  metal.setColorAt(1, QColor(0x60, 0x64, 0x68));
  p.setBrush(metal);
  p.drawRoundedRect(body, 8, 8);
  p.setPen(QPen(QColor(0x40, 0x44, 0x48), 2));
  for (int ring = 0; ring < 3; ++ring) {
    const double y = body.top() + 10 + ring * 8;
    p.drawLine(QPointF(body.left() + 2, y), QPointF(body.right() - 2, y));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x30, 0x32, 0x36));
  p.drawEllipse(QPointF(body.center().x(), body.top() + body.height() * 0.68), 9, 9);
}

void Gear(QPainter& p, QSizeF s) {
  Workbench(p, s);
  const QPointF c(s.width() / 2, s.height() / 2);
  const double outer = s.width() * 0.38, inner = outer * 0.82;
  QPolygonF teeth;
  for (int i = 0; i < 72; ++i) {
    const double a = i * 2 * M_PI / 72;
    const double r = (i / 2) % 2 == 0 ? outer : inner;
    teeth << c + QPointF(std::cos(a), std::sin(a)) * r;
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawPolygon(teeth.translated(5, 7));
  p.setBrush(Metal(c, outer));
  p.drawPolygon(teeth);
  p.setBrush(QColor(0x38, 0x34, 0x30));
  p.drawEllipse(c, outer * 0.22, outer * 0.22);
}

void SparkPlug(QPainter& p, QSizeF s) {
  Workbench(p, s);
  p.save();
  p.translate(s.width() / 2, s.height() / 2);
  p.rotate(-30);
  p.scale(1.5, 1.5);
  p.setPen(Qt::NoPen);
  QLinearGradient porcelain(-10, 0, 10, 0);
  porcelain.setColorAt(0, QColor(0xc8, 0xc4, 0xbc));
  porcelain.setColorAt(0.4, QColor(0xff, 0xfe, 0xf8));
  porcelain.setColorAt(1, QColor(0xb0, 0xac, 0xa4));
  p.setBrush(porcelain);
  p.drawRoundedRect(QRectF(-9, -70, 18, 62), 6, 6);
  p.setBrush(Metal(QPointF(0, 10), 20));
  p.drawPolygon(QPolygonF({{-16, -8}, {16, -8}, {16, 14}, {-16, 14}}));
  p.setBrush(QColor(0x9a, 0x8e, 0x70));
  p.drawRect(QRectF(-8, 14, 16, 34));
  p.setBrush(QColor(0x60, 0x60, 0x62));
  p.drawRect(QRectF(-2, 48, 4, 10));
  p.restore();
}

// Light falling off towards the edges, film grain and a white print border.
QImage Developed(const QImage& scene, unsigned seed) {
  QImage photo =
      scene.scaled(scene.size() / kScale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          .convertToFormat(QImage::Format_RGB32);
  std::mt19937 random(seed);
  std::normal_distribution<double> grain(0, 5);
  const double cx = photo.width() / 2.0, cy = photo.height() / 2.0;
  for (int y = 0; y < photo.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
    for (int x = 0; x < photo.width(); ++x) {
      const double dx = (x - cx) / cx, dy = (y - cy) / cy;
      const double light = 1.0 - 0.28 * (dx * dx + dy * dy) / 2;
      const double noise = grain(random);
      const auto channel = [&](int value) {
        return std::clamp(static_cast<int>(value * light + noise), 0, 255);
      };
      row[x] = qRgb(channel(qRed(row[x])), channel(qGreen(row[x])), channel(qBlue(row[x])));
    }
  }
  QPainter p(&photo);
  p.setPen(QPen(QColor(0xf4, 0xf1, 0xea), kBorder * 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(photo.rect());
  return photo;
}

TBookFile Photo(const QString& name, const TScene& scene, unsigned seed) {
  const QSize size = layout::kPictureAreas[0].size() * kScale;
  QImage canvas(size, QImage::Format_RGB32);
  QPainter p(&canvas);
  p.setRenderHint(QPainter::Antialiasing);
  scene(p, QSizeF(size));
  p.end();
  const QImage photo = Developed(canvas, seed);
  const bool bitmap = name.endsWith(".bmp");
  return {"run/photos/" + name, true, bitmap ? Bitmap(photo) : Encoded(photo, "jpg", 88)};
}

}  // namespace

std::vector<TBookFile> SlidePhotos() {
  return {Photo("cars/sunset.jpg", SunsetRoad, 1),    Photo("cars/garage.jpg", Garage, 2),
          Photo("cars/night.bmp", NightStreet, 3),    Photo("parts/disc.jpg", BrakeDisc, 4),
          Photo("parts/piston.jpg", Piston, 5),       Photo("parts/gear.jpg", Gear, 6),
          Photo("parts/spark_plug.bmp", SparkPlug, 7)};
}

}  // namespace shelf::samplegen
