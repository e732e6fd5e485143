#include "platform/font_table.h"

#include "platform/cp1251.h"

namespace shelf {

void InstallFontSubstitutes() {
  static const bool installed = [] {
    struct Substitute {
      const char* family;
      const char* with;
    };
    const Substitute substitutes[] = {{"Arial", "Liberation Sans"},
                                      {"Arial Cyr", "Liberation Sans"},
                                      {"Arial Narrow", "Liberation Sans Narrow"},
                                      {"Times New Roman", "Liberation Serif"},
                                      {"Times New Roman Cyr", "Liberation Serif"},
                                      {"Courier New", "Liberation Mono"},
                                      {"Courier New Cyr", "Liberation Mono"},
                                      {"MS Sans Serif", "Liberation Sans"},
                                      {"Verdana", "DejaVu Sans"},
                                      {"Tahoma", "DejaVu Sans"}};
    for (const auto& s : substitutes) QFont::insertSubstitution(s.family, s.with);
    return true;
  }();
  (void)installed;
}

QFont BookFont(const std::string& name, int pointSize, std::uint8_t style) {
  InstallFontSubstitutes();
  QFont font(ToQString(name));
  if (pointSize > 0) font.setPointSize(pointSize);
  font.setBold(style & 1);
  font.setItalic(style & 2);
  font.setUnderline(style & 4);
  font.setStrikeOut(style & 8);
  return font;
}

}  // namespace shelf
