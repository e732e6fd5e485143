// Small path builders the manual's drawings share: rectangles, circles, bars and polygons as
// painter paths, so parts can be united and cut out of each other.
#pragma once

#include <QPainterPath>
#include <QPolygonF>

namespace shelf::samplegen {

QPainterPath Rect(double x, double y, double w, double h);
QPainterPath Circle(QPointF centre, double radius);
QPainterPath Polygon(const QPolygonF& points);
// A straight bar of `width` from `a` to `b`.
QPainterPath Bar(QPointF a, QPointF b, double width);
// The point at `radius` from `centre` in direction `degrees` (screen angles: clockwise from 3
// o'clock).
QPointF Polar(QPointF centre, double radius, double degrees);

}  // namespace shelf::samplegen
