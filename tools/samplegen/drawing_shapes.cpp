#include "drawing_shapes.h"

#include <QLineF>
#include <cmath>

namespace shelf::samplegen {

QPainterPath Rect(double x, double y, double w, double h) {
  QPainterPath path;
  path.addRect(x, y, w, h);
  return path;
}

QPainterPath Circle(QPointF centre, double radius) {
  QPainterPath path;
  path.addEllipse(centre, radius, radius);
  return path;
}

QPainterPath Polygon(const QPolygonF& points) {
  QPainterPath path;
  path.addPolygon(points);
  path.closeSubpath();
  return path;
}

QPainterPath Bar(QPointF a, QPointF b, double width) {
  const QLineF line(a, b);
  const QPointF side = QPointF(-line.dy(), line.dx()) / line.length() * (width / 2);
  return Polygon(QPolygonF(QList<QPointF>{a + side, b + side, b - side, a - side}));
}

QPointF Polar(QPointF centre, double radius, double degrees) {
  const double a = degrees * M_PI / 180;
  return centre + QPointF(std::cos(a), std::sin(a)) * radius;
}

}  // namespace shelf::samplegen
