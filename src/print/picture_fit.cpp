#include "print/picture_fit.h"

#include <algorithm>
#include <cmath>

#include "print/meta_file_printer.h"

namespace shelf {

namespace {
constexpr double kMarginInches = 0.7874015748031496;  // 2 cm
}

QSize AvailableArea(TMetaFilePrinter& recorder, QSize screenDpi, double scale) {
  recorder.RefreshMetrics();
  const TSheetMetrics m = recorder.Metrics();
  const int dx = int(std::lround(m.DpiX * scale)), dy = int(std::lround(m.DpiY * scale));
  const int rightStrip = std::max(0, m.PhysicalWidth - m.PrintableWidth - m.OffsetX);
  const int bottomStrip = std::max(0, m.PhysicalHeight - m.PrintableHeight - m.OffsetY);
  const int left = int(dx * kMarginInches) - m.OffsetX;
  const int right = int(dx * kMarginInches) - rightStrip;
  const int top = int(dy * kMarginInches) - m.OffsetY;
  const int bottom = int(dy * kMarginInches) - bottomStrip;
  const auto mulDiv = [](int a, int b, int c) {
    return c == 0 ? 0 : int(std::lround(double(a) * b / c));
  };
  return QSize(mulDiv(m.PrintableWidth - left - right, screenDpi.width(), dx),
               mulDiv(m.PrintableHeight - top - bottom, screenDpi.height(), dy));
}

double FitPicture(TMetaFilePrinter& recorder, QSize screenDpi, int w, int h) {
  double s = 1;
  if (w == 0 || h == 0) return s;
  const auto areaAt = [&](double scale) { return AvailableArea(recorder, screenDpi, scale); };
  QSize area = areaAt(1);
  const auto fitHeight = [&] {
    if (h > area.height()) {
      area = areaAt(1);
      s = double(area.height()) / h;
    }
  };
  const auto fitWidth = [&] {
    if (w > area.width()) {
      area = areaAt(1);
      s = double(area.width()) / w;
    }
  };
  // A wide picture goes on a landscape sheet when it does not fit across; a tall one always
  // goes on a portrait sheet when it does not fit down.
  if (w > h) {
    if (w > area.width()) {
      if (!recorder.Landscape()) {
        recorder.SetLandscape(true);
        area = areaAt(1);
      }
      s = double(area.width()) / w;
      area = areaAt(s);
    }
    fitHeight();
    return s;
  }
  if (h <= area.height()) return s;
  recorder.SetLandscape(false);
  area = areaAt(1);
  if (h > area.height()) {
    s = double(area.height()) / h;
    area = areaAt(s);
  }
  fitWidth();
  return s;
}

}  // namespace shelf
