// Colours as the book files write them (red + green * 256 + blue * 65536, the Windows order)
// turned into colours to draw with.
#pragma once

#include <QColor>
#include <cstdint>

namespace shelf {

inline QColor FromBookColor(std::uint32_t color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

}  // namespace shelf
