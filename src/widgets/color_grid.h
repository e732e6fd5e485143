// The colour grid of the font dialog: the 16 basic colours in four rows of four; a left click
// on a cell picks its colour.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

namespace shelf {

class TColorGrid : public QWidget {
 public:
  explicit TColorGrid(QWidget* parent = nullptr);

  // The colour of cell `index` (0..15, row by row), as a Windows colour value (0x00BBGGRR).
  static std::uint32_t CellColor(int index);
  // The cell under a point of the grid, -1 outside.
  int CellAt(QPoint at) const;

  std::function<void(std::uint32_t color)> OnPick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace shelf
