#include "drawing_style.h"

#include <QFontMetricsF>
#include <QLineF>
#include <cmath>

#include "gif_writer.h"
#include "window_art.h"

namespace shelf::samplegen {

QList<QRgb> DrawingPalette() {
  return BlendPalette({kPaper, kLine, kMetal, kSteel, kMark, kFluid});
}

QPen OutlinePen(double width) {
  return QPen(kLine, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen ThinPen() {
  return QPen(kLine, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen CentrePen() {
  QPen pen(kSteel, 0.9);
  pen.setDashPattern({12, 3, 2, 3});
  return pen;
}

void DrawPart(QPainter& p, const QPainterPath& shape, const QColor& fill) {
  p.save();
  p.setPen(OutlinePen());
  p.setBrush(fill);
  p.drawPath(shape);
  p.restore();
}

void DrawSection(QPainter& p, const QPainterPath& shape, double spacing) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(kPaper);
  p.drawPath(shape);
  p.setClipPath(shape);
  p.setPen(QPen(kSteel, 0.8));
  const QRectF box = shape.boundingRect();
  for (double x = box.left() - box.height(); x < box.right(); x += spacing)
    p.drawLine(QPointF(x, box.bottom()), QPointF(x + box.height(), box.top()));
  p.setClipping(false);
  p.setPen(OutlinePen());
  p.setBrush(Qt::NoBrush);
  p.drawPath(shape);
  p.restore();
}

void DrawCoil(QPainter& p, double centreX, double top, double bottom, double halfWidth, int turns) {
  QPolygonF coil;
  for (int i = 0; i <= turns * 2; ++i)
    coil << QPointF(centreX + (i % 2 ? halfWidth : -halfWidth),
                    top + (bottom - top) * i / (turns * 2));
  p.save();
  p.setPen(OutlinePen(1.9));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(coil);
  p.restore();
}

void DrawCallout(QPainter& p, QPointF target, QPointF bubble, int number) {
  constexpr double kRadius = 9;
  p.save();
  p.setPen(ThinPen());
  const QLineF leader(bubble, target);
  if (leader.length() > kRadius) p.drawLine(leader.pointAt(kRadius / leader.length()), target);
  p.setBrush(kLine);
  p.setPen(Qt::NoPen);
  p.drawEllipse(target, 1.8, 1.8);
  p.setBrush(kPaper);
  p.setPen(ThinPen());
  p.drawEllipse(bubble, kRadius, kRadius);
  p.setFont(Font("Liberation Sans", 11, QFont::Bold));
  p.setPen(kLine);
  p.drawText(QRectF(bubble.x() - kRadius, bubble.y() - kRadius, 2 * kRadius, 2 * kRadius),
             Qt::AlignCenter, QString::number(number));
  p.restore();
}

void DrawArrow(QPainter& p, QPointF from, QPointF to, const QColor& color, double width) {
  p.save();
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
  const QLineF line(from, to);
  const double head = 4 + 2.5 * width;
  p.drawLine(from, line.pointAt(1 - head * 0.8 / std::max(1.0, line.length())));
  const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const QPointF left = to - QPointF(std::cos(angle - 0.4), std::sin(angle - 0.4)) * head;
  const QPointF right = to - QPointF(std::cos(angle + 0.4), std::sin(angle + 0.4)) * head;
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(QPolygonF(QList<QPointF>{to, left, right}));
  p.restore();
}

void DrawDimension(QPainter& p, QPointF a, QPointF b, double offset, const QString& text) {
  const QLineF base(a, b);
  const QPointF normal = QPointF(base.dy(), -base.dx()) / base.length() * offset;
  const QPointF a2 = a + normal, b2 = b + normal;
  const QPointF overshoot = normal / std::max(1.0, std::abs(offset)) * 4;
  p.save();
  p.setPen(ThinPen());
  p.drawLine(a, a2 + overshoot);
  p.drawLine(b, b2 + overshoot);
  DrawArrow(p, (a2 + b2) / 2, a2, kLine, 0.9);
  DrawArrow(p, (a2 + b2) / 2, b2, kLine, 0.9);
  p.translate((a2 + b2) / 2);
  double angle = base.angle();
  if (angle > 90 && angle <= 270) angle -= 180;
  p.rotate(-angle);
  p.setFont(Font("Liberation Sans", 11));
  const QRectF box(-80, -16, 160, 14);
  p.setPen(kLine);
  p.drawText(box, Qt::AlignCenter, text);
  p.restore();
}

void DrawLabel(QPainter& p, QPointF at, const QString& text, int pixelSize, bool bold, bool centred,
               const QColor& color) {
  p.save();
  const QFont font = Font("Liberation Sans", pixelSize, bold ? QFont::Bold : QFont::Normal);
  p.setFont(font);
  p.setPen(color);
  const QFontMetricsF metrics(font);
  const double width = metrics.horizontalAdvance(text);
  const QPointF origin = centred ? at - QPointF(width / 2, -metrics.ascent() / 2 + 1)
                                 : at + QPointF(0, metrics.ascent() / 2 - 1);
  p.drawText(origin, text);
  p.restore();
}

}  // namespace shelf::samplegen
