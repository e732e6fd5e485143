#include "print/sheet_layout.h"

#include <algorithm>

namespace shelf {

namespace {
constexpr double kZoomOfRow[] = {0.25, 0.5, 0.75, 1, 1.25, 1.5, 2, 3, 4};
constexpr int kGap = 20;  // around a sheet
}  // namespace

TSheetLayout LayOutSheets(int row, double manualZoom, bool twoSheets, QSize client, QSizeF ppi,
                          const TSheetMetrics& m) {
  TSheetLayout layout;
  const double sheetInchesW = double(m.PhysicalWidth) / m.DpiX;
  const double sheetInchesH = double(m.PhysicalHeight) / m.DpiY;
  double z = 1;
  if (row == kRowWholeSheet || row == kRowSheetWidth) {
    const double byWidth = (client.width() - kGap) / ppi.width() / sheetInchesW;
    z = row == kRowSheetWidth
            ? byWidth
            : std::min((client.height() - kGap) / ppi.height() / sheetInchesH, byWidth);
    layout.ForcesOneSheet = true;
    twoSheets = false;
  } else if (row == kRowManual) {
    z = manualZoom;
  } else if (row >= 3 && row <= 11) {
    z = kZoomOfRow[row - 3];
  }
  z = std::max(z, 0.01);
  layout.Zoom = z;
  layout.Sheet = QSize(int(ppi.width() * z * sheetInchesW), int(ppi.height() * z * sheetInchesH));
  const int w = layout.Sheet.width(), h = layout.Sheet.height();
  const int c = w + kGap + (twoSheets ? w + kGap : 0);
  layout.Container =
      QSize(std::max(c, client.width() - 1), std::max(h + kGap, client.height() - 1));
  const int top =
      h + kGap < layout.Container.height() ? layout.Container.height() / 2 - h / 2 : kGap / 2;
  const int left =
      c < layout.Container.width() ? layout.Container.width() / 2 - (c - kGap) / 2 : kGap / 2;
  layout.First = QPoint(left, top);
  layout.Second = QPoint(left + w + kGap, top);
  return layout;
}

}  // namespace shelf
