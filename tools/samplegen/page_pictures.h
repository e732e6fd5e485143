// The pictures of the manual's pages, drawn in code and written in the formats pages of the
// time used: GIF (still and animated), PNG, JPEG and a Windows bitmap.
#pragma once

#include <QString>
#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

// Every page picture with its place under run/; empty with `error` set when one fails.
std::vector<TBookFile> PagePictures(QString& error);

}  // namespace shelf::samplegen
