// The default style sheet of the page engine: how HTML 4 elements look before a page says
// otherwise, with the viewer's font, colours and link options filled in.
#pragma once

#include <cstdint>
#include <string>

#include "html/viewer_settings.h"

namespace shelf {

// "#rrggbb" of a Windows colour value (0x00BBGGRR).
std::string CssColor(std::uint32_t windowsColor);

// The default font size in pixels for a size in points (96 pixels per inch).
int PointsToPixels(int points);

std::string MasterCss(const TViewerSettings& settings);

}  // namespace shelf
