// A printed sheet as a device reports it: resolution, whole sheet and printable area in device
// pixels. Printers, page recorders and the print engine all speak of sheets in these terms.
#pragma once

namespace shelf {

struct TSheetMetrics {
  int DpiX = 300, DpiY = 300;
  int PhysicalWidth = 2479, PhysicalHeight = 3508;
  int OffsetX = 75, OffsetY = 91;  // of the printable area from the sheet's edge
  int PrintableWidth = 2333, PrintableHeight = 3321;
};

}  // namespace shelf
