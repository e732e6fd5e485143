#include "widgets/color_grid.h"

#include <QMouseEvent>
#include <QPainter>

#include "widgets/book_color.h"

namespace shelf {

namespace {

constexpr int kSide = 72;
constexpr int kCells = 4;
constexpr std::uint32_t kBasicColors[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

QRect CellRect(int index) {
  const int cell = kSide / kCells;
  return QRect((index % kCells) * cell, (index / kCells) * cell, cell, cell);
}

}  // namespace

TColorGrid::TColorGrid(QWidget* parent) : QWidget(parent) {
  setFixedSize(kSide, kSide);
}

std::uint32_t TColorGrid::CellColor(int index) {
  return kBasicColors[index & 15];
}

int TColorGrid::CellAt(QPoint at) const {
  if (at.x() < 0 || at.y() < 0 || at.x() >= kSide || at.y() >= kSide) return -1;
  const int cell = kSide / kCells;
  return at.y() / cell * kCells + at.x() / cell;
}

void TColorGrid::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int i = 0; i < kCells * kCells; ++i) {
    painter.fillRect(CellRect(i), FromBookColor(CellColor(i)));
    painter.setPen(Qt::gray);
    painter.drawRect(CellRect(i).adjusted(0, 0, -1, -1));
  }
}

void TColorGrid::mousePressEvent(QMouseEvent* event) {
  const int cell = CellAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && cell >= 0 && OnPick) OnPick(CellColor(cell));
}

}  // namespace shelf
