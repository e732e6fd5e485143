// The sample book's pictures, drawn in code so that the repository holds no binary art: the two
// screens and every state of every button and switch, as 24-bit Windows bitmaps.
#pragma once

#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

std::vector<TBookFile> DrawPictures();

}  // namespace shelf::samplegen
