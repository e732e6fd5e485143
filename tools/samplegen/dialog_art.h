// The pictures of the sample book's drawn dialog: its four pages (message, find, no printer,
// printer unusable) and their buttons and search-kind switches, in the screens' look.
#pragma once

#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

std::vector<TBookFile> DialogPictures();
// The about box's picture (its corners cut as About.txt's outline) and its closing button.
std::vector<TBookFile> AboutPictures();

}  // namespace shelf::samplegen
