// The sample book's reading screen (fon2.bmp): a frame for the program's page panel, the rail
// of tools beside it, the status window and the folder box under it.
#pragma once

#include <QImage>

namespace shelf::samplegen {

QImage ReadingScreen();

}  // namespace shelf::samplegen
