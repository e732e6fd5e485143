// The sample book's title screen (fon1.bmp): headline, a blueprint of the car, the settings row
// and the band where the program puts the four buttons.
#pragma once

#include <QImage>

namespace shelf::samplegen {

QImage TitleScreen();

}  // namespace shelf::samplegen
