#include "print/preview_cursors.h"

#include <QPainter>
#include <QPixmap>

namespace shelf {

namespace {

// A magnifying glass, with a plus or minus sign when it says which way it zooms.
QCursor Magnifier(char sign) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 4));
  p.drawEllipse(QRect(2, 2, 16, 16));
  p.drawLine(16, 16, 27, 27);
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(QColor(255, 255, 255, 160));
  p.drawEllipse(QRect(2, 2, 16, 16));
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(16, 16, 27, 27);
  p.setPen(QPen(Qt::black, 2));
  if (sign == '+' || sign == '-') p.drawLine(6, 10, 14, 10);
  if (sign == '+') p.drawLine(10, 6, 10, 14);
  return QCursor(pixmap, 10, 10);
}

}  // namespace

QCursor PreviewCursor(TPreviewCursor cursor) {
  switch (cursor) {
    case crZoomIn:
      return Magnifier('+');
    case crZoomOut:
      return Magnifier('-');
    case crHandOpened:
      return QCursor(Qt::OpenHandCursor);
    case crHandClosed:
      return QCursor(Qt::ClosedHandCursor);
    case crZoom:
      break;
  }
  return Magnifier(' ');
}

}  // namespace shelf
