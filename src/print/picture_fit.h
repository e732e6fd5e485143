// How much of a sheet a document gets: the content area inside 2 cm margins at a print scale,
// and the print scale (and sheet orientation) that puts a picture page on one sheet.
#pragma once

#include <QSize>

namespace shelf {

class TMetaFilePrinter;

// The content size of one sheet printed at `scale`, in pixels of a screen of `screenDpi`.
QSize AvailableArea(TMetaFilePrinter& recorder, QSize screenDpi, double scale);
// The print scale that puts a w × h picture on one sheet; may turn the recorder's sheet.
double FitPicture(TMetaFilePrinter& recorder, QSize screenDpi, int w, int h);

}  // namespace shelf
