#include "html/fractional_font.h"

#include <QRawFont>
#include <algorithm>
#include <cmath>

namespace shelf {

TLineMetrics FitToExactSize(QFont& font, int pixels, double exact) {
  font.setStretch(std::clamp(int(std::lround(100 * exact / std::max(1, pixels))), 1, 4000));
  QRawFont raw = QRawFont::fromFont(font);
  raw.setPixelSize(exact);
  TLineMetrics line;
  line.Ascent = int(std::lround(raw.ascent()));
  line.LineSpacing =
      line.Ascent + int(std::lround(raw.descent())) + int(std::lround(raw.leading()));
  return line;
}

}  // namespace shelf
