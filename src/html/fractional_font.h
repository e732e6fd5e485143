// Fonts at sizes with a fraction of a pixel (11pt is 14.67 pixels) where the layout engine asks
// for whole pixels: the glyphs and the line measured as browsers measure them (private).
#pragma once

#include <QFont>

namespace shelf {

struct TLineMetrics {
  int Ascent = 0;       // the baseline below the top of a line
  int LineSpacing = 0;  // from one line's top to the next
};

// Narrows or widens `font`, drawn at the whole `pixels`, to the advances of `exact` pixels and
// returns the line measured at the exact size, rounded part by part as browsers round it.
TLineMetrics FitToExactSize(QFont& font, int pixels, double exact);

}  // namespace shelf
