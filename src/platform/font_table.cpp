#include "platform/font_table.h"

#include <QFontDatabase>

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
  // Books are laid out in pixels of a 96 dpi screen: sizes do not follow the host's resolution.
  if (pointSize > 0) font.setPixelSize((pointSize * 96 + 36) / 72);
  font.setBold(style & 1);
  font.setItalic(style & 2);
  font.setUnderline(style & 4);
  font.setStrikeOut(style & 8);
  return font;
}

int AddFontResource(const std::filesystem::path& fontFile) {
  return QFontDatabase::addApplicationFont(QString::fromStdString(fontFile.string()));
}

void RemoveFontResource(int id) {
  QFontDatabase::removeApplicationFont(id);
}

}  // namespace shelf
