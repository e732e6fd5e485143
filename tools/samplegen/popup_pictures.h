// The pictures of the sample book's drawn popups: the panel behind the history lists, the
// favorites and the page menu, its three item pictures, and the cut-cornered plate of the
// title screen's menu with its items. Captions are written by the program.
#pragma once

#include <QPolygon>
#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

// The outline of the title screen's menu plate, as Struct.txt gives it ("vertex").
QPolygon MenuPlateOutline();

std::vector<TBookFile> PopupPictures();

}  // namespace shelf::samplegen
