// How a page viewer shows its pages: the reader's font and colours and the viewer's options.
// Colours are Windows colour values (0x00BBGGRR), as the settings store them.
#pragma once

#include <cstdint>
#include <string>

namespace shelf {

// The frame viewer's option set (`fvOptions`).
enum TViewerOption : unsigned {
  fvNoBorder = 1u << 0,
  fvOverLinksActive = 1u << 1,
  fvNoLinkUnderline = 1u << 2,
};

struct TViewerSettings {
  std::string DefFontName = "Times New Roman";  // Windows-1251
  std::uint32_t DefFontColor = 0x000000;
  int DefFontSize = 12;  // points
  std::uint32_t DefHotSpotColor = 0xFF0000;
  std::uint32_t DefVisitedLinkColor = 0x800080;
  std::uint32_t DefBackground = 0xFFFFFF;
  std::uint32_t DefOverLinkColor = 0x0000FF;
  unsigned fvOptions = 0;
  bool ViewImages = true;
  int ImageCacheCount = 5;
  // Table and cell backgrounds on printed pages (`htPrintTableBackground`).
  bool PrintTableBackground = true;
  // The band the page header draws in on printed pages, from the printable area's top, in
  // page pixels: the content of every sheet starts below it (when the header is printed).
  int PrintHeaderHeight = 0;

  bool Has(TViewerOption option) const { return (fvOptions & option) != 0; }
};

}  // namespace shelf
