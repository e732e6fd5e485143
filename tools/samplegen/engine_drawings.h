// Illustrations of the manual's engine chapters: the cross-section, the timing belt marks, the
// head bolt order, the valve clearance check and the oil dipstick.
#pragma once

#include <QImage>

namespace shelf::samplegen {

QImage EngineSection();
QImage TimingBelt();
QImage HeadBoltOrder();
QImage ValveGap();
QImage Dipstick();

}  // namespace shelf::samplegen
