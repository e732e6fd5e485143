// Illustrations of the manual's chassis and body chapters: the brake circuits, the front
// suspension, the clutch pedal travel and the car's main dimensions.
#pragma once

#include <QImage>

namespace shelf::samplegen {

QImage BrakeCircuit();
QImage FrontSuspension();
QImage ClutchPedal();
// Shaded, with a soft sky behind it: the one drawing kept as a JPEG.
QImage CarSide();

}  // namespace shelf::samplegen
