// Fonts that books name (Arial, Times New Roman, Courier New and their " Cyr" forms) mapped to
// metric-compatible fonts installed here, and the one place that turns a book's font
// description into a QFont.
#pragma once

#include <QFont>
#include <cstdint>
#include <filesystem>
#include <string>

namespace shelf {

// Registers the substitutes once per process; later calls do nothing.
void InstallFontSubstitutes();

// `name` in Windows-1251 (any case), `pointSize` as the book gives it (points of a 96 dpi
// screen), `style` a set of the bits 1 bold, 2 italic, 4 underline, 8 strike-out.
QFont BookFont(const std::string& name, int pointSize, std::uint8_t style);

// Makes a font file's families available to this program, as adding a font resource does;
// returns an id for RemoveFontResource, or -1 when the file is not a usable font.
int AddFontResource(const std::filesystem::path& fontFile);
void RemoveFontResource(int id);

}  // namespace shelf
