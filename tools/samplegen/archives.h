// The sample book's RAR archives on its downloads page, written by the RAR 4 writer: service
// forms with a stored folder, and wiring sheets whose Cyrillic folders are only implied.
#pragma once

#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

std::vector<TBookFile> SampleArchives();

}  // namespace shelf::samplegen
