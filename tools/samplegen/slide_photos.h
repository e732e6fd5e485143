// The photographs of the title screen's two picture areas: small prints of the car and of its
// parts, drawn with soft light, grain and a darkened edge so that they read as photographs.
#pragma once

#include <vector>

#include "book_file.h"

namespace shelf::samplegen {

// run/photos/cars/ and run/photos/parts/, beside the container (the areas list their folders on
// disk); each folder holds JPEG pictures and one bitmap.
std::vector<TBookFile> SlidePhotos();

}  // namespace shelf::samplegen
