#include "widgets/color_win_control.h"

#include <QPainter>

namespace shelf {

TColorWinControl::TColorWinControl(QWidget* parent, QColor color) : QWidget(parent), color_(color) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // it covers itself: no background erasing
}

void TColorWinControl::SetColor(QColor color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void TColorWinControl::paintEvent(QPaintEvent*) {
  QPainter(this).fillRect(rect(), color_);
}

}  // namespace shelf
