// Illustrations of the manual's electrical and identification pages: the starting circuit, the
// fuse box and the maker's plate.
#pragma once

#include <QImage>

namespace shelf::samplegen {

QImage StartingCircuit();
QImage FuseBox();
QImage MakersPlate();

}  // namespace shelf::samplegen
