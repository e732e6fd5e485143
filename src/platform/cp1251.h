// The one Windows-1251 <-> UTF-8 codec: book text stays in Windows-1251 bytes and is converted
// only where it meets the host (file names, Qt strings, the terminal).
#pragma once

#include <optional>
#include <string>
#include <string_view>

class QString;

namespace shelf {

// Every Windows-1251 byte has a Unicode character (0x98, unassigned, maps to U+FFFD's stand-in
// U+0098 so that a round trip keeps the byte).
std::string Cp1251ToUtf8(std::string_view text);

// Characters that Windows-1251 cannot hold make the conversion fail, as does invalid UTF-8.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8);

// Lenient form for text shown or typed by the user: unmappable characters become '?'.
std::string Utf8ToCp1251Lossy(std::string_view utf8);

QString ToQString(std::string_view cp1251);
std::string FromQString(const QString& text);

// Case folding as the book files expect: ASCII letters plus the Cyrillic а..я / А..Я block and
// ё / Ё.
char Cp1251Lower(char c);
std::string Cp1251LowerString(std::string_view text);

// ASCII letters only: description files are lower-cased this way, Cyrillic keeps its case.
std::string AsciiLower(std::string_view text);

}  // namespace shelf
