// Fonts that books name (Arial, Times New Roman, Courier New and their " Cyr" forms) mapped to
// metric-compatible fonts installed here, and the one place that turns a book's font
// description into a QFont.
#pragma once

#include <QFont>
#include <cstdint>
#include <string>

namespace shelf {

// Registers the substitutes once per process; later calls do nothing.
void InstallFontSubstitutes();

// `name` in Windows-1251 (any case), `pointSize` as the book gives it, `style` a set of the bits
// 1 bold, 2 italic, 4 underline, 8 strike-out.
QFont BookFont(const std::string& name, int pointSize, std::uint8_t style);

}  // namespace shelf
