#include "book_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace shelf::samplegen {

QImage BookIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 48.0, size / 48.0);
  // Pages behind the cover, then the cover with its spine and a bookmark ribbon.
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(QColor(245, 242, 232));
  p.drawRoundedRect(QRectF(10, 6, 32, 38), 3, 3);
  p.setPen(QPen(QColor(22, 48, 84), 1.5));
  p.setBrush(QColor(38, 84, 140));
  p.drawRoundedRect(QRectF(6, 3, 32, 38), 3, 3);
  p.setBrush(QColor(26, 58, 100));
  p.drawRect(QRectF(6, 3, 6, 38));
  p.setPen(QPen(QColor(232, 238, 243), 2));
  p.drawLine(QPointF(17, 14), QPointF(33, 14));
  p.drawLine(QPointF(17, 19), QPointF(29, 19));
  QPainterPath ribbon;
  ribbon.moveTo(28, 41);
  ribbon.lineTo(28, 47);
  ribbon.lineTo(31, 44);
  ribbon.lineTo(34, 47);
  ribbon.lineTo(34, 41);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(190, 40, 40));
  p.drawPath(ribbon);
  return icon;
}

}  // namespace shelf::samplegen
