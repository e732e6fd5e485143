// Where the preview's sheets go: the zoom a zoom-list row means for the room the scroll box has,
// and the size and place of one or two sheets on the dark container around them.
#pragma once

#include <QPoint>
#include <QSize>
#include <QSizeF>

#include "html/page_canvas.h"

namespace shelf {

// Zoom-list rows with a meaning of their own; rows 3 to 11 are fixed percentages.
constexpr int kRowWholeSheet = 0, kRowSheetWidth = 1, kRowManual = 2;

struct TSheetLayout {
  double Zoom = 1;              // 1: the sheet at its real size on the screen
  bool ForcesOneSheet = false;  // the whole-sheet and sheet-width rows show one sheet
  QSize Sheet;                  // each sheet box
  QSize Container;
  QPoint First, Second;  // top left corners of the two sheets
};

// `client`: the scroll box's room; `ppi`: the screen's pixels per inch; `manualZoom` is kept by
// the manual row.
TSheetLayout LayOutSheets(int row, double manualZoom, bool twoSheets, QSize client, QSizeF ppi,
                          const TSheetMetrics& sheet);

}  // namespace shelf
