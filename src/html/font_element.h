// <font face size color>: sizes 1..7 (or +n/-n) follow the viewer's default size as browsers of
// the time did, size 3 being the default (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/el_font.h>

namespace shelf {

class TFontElement : public litehtml::el_font {
 public:
  using litehtml::el_font::el_font;
  void parse_attributes() override;
};

// Pixel size of <font size=n> (1..7) for a default font of `defaultPoints`.
int FontSizePixels(int htmlSize, int defaultPoints);

}  // namespace shelf
