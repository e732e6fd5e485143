#include "html/frame_set_widget.h"

#include <QPalette>

namespace shelf {

namespace {
constexpr int kBorder = 2;
}

TFrameSetWidget::TFrameSetWidget(const TFrameSetLayout& spec, QWidget* parent)
    : QWidget(parent), rows_(spec.Rows), cols_(spec.Cols), gap_(spec.Border ? kBorder : 0) {
  slots_.resize(spec.Frames.size(), nullptr);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  setPalette(palette);
  setAutoFillBackground(true);
}

void TFrameSetWidget::SetSlot(std::size_t index, QWidget* widget) {
  if (index >= slots_.size()) return;
  if (slots_[index] && slots_[index] != widget) slots_[index]->deleteLater();
  slots_[index] = widget;
  if (widget) {
    widget->setParent(this);
    widget->show();
  }
  Arrange();
}

void TFrameSetWidget::resizeEvent(QResizeEvent*) {
  Arrange();
}

void TFrameSetWidget::Arrange() {
  const int rowCount = int(FrameSizes(rows_, 0).size());
  const int colCount = int(FrameSizes(cols_, 0).size());
  const std::vector<int> heights = FrameSizes(rows_, height() - gap_ * (rowCount - 1));
  const std::vector<int> widths = FrameSizes(cols_, width() - gap_ * (colCount - 1));
  std::size_t slot = 0;
  int y = 0;
  for (int r = 0; r < rowCount; ++r) {
    int x = 0;
    for (int c = 0; c < colCount; ++c, ++slot) {
      if (slot < slots_.size() && slots_[slot])
        slots_[slot]->setGeometry(x, y, widths[c], heights[r]);
      x += widths[c] + gap_;
    }
    y += heights[r] + gap_;
  }
  for (; slot < slots_.size(); ++slot)  // frames beyond the grid are not shown
    if (slots_[slot]) slots_[slot]->setGeometry(0, 0, 0, 0);
}

}  // namespace shelf
