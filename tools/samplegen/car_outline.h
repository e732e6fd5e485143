// The outline of the «Вектор-2107» seen from its left side, shared by the title screen's
// blueprint and the manual's dimension drawing. Units are drawing pixels: the car is 502 long.
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <array>

namespace shelf::samplegen::car {

constexpr double kLength = 502;  // 4116 mm
constexpr double kRoof = 2;      // top of the roof; the sills stand at y = 120
constexpr double kWheelRadius = 36;
constexpr std::array<QPointF, 2> kWheelCentres{QPointF(96, 120), QPointF(404, 120)};

// Body side with the wheel arches cut out, front at the right.
QPainterPath Body();
// The two side windows.
QPainterPath Windows();

}  // namespace shelf::samplegen::car
