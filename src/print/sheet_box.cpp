#include "print/sheet_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPicture>

#include "html/page_canvas.h"

namespace shelf {

TSheetBox::TSheetBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSheetBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  const QPicture* page = Page ? Page() : nullptr;
  if (!page || !Sheet) return;
  const TSheetMetrics m = Sheet();
  if (m.PhysicalWidth <= 0 || m.PhysicalHeight <= 0) return;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.scale(double(width()) / m.PhysicalWidth, double(height()) / m.PhysicalHeight);
  painter.translate(m.OffsetX, m.OffsetY);
  painter.drawPicture(0, 0, *page);
}

void TSheetBox::mousePressEvent(QMouseEvent* event) {
  if (OnPress) OnPress(*this, event);
}

void TSheetBox::mouseMoveEvent(QMouseEvent* event) {
  if (OnMove) OnMove(*this, event);
}

void TSheetBox::mouseReleaseEvent(QMouseEvent* event) {
  if (OnRelease) OnRelease(*this, event);
}

}  // namespace shelf
