#include "platform/cp1251.h"

#include <QString>
#include <array>

namespace shelf {
namespace {

// Code points of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t ToUnicode(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xC0) return 0x0410 + (b - 0xC0);
  return kHigh[b - 0x80];
}

std::optional<unsigned char> FromUnicode(char32_t cp) {
  if (cp < 0x80) return static_cast<unsigned char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at `i` and moves past it; nullopt on malformed input.
std::optional<char32_t> NextCodePoint(std::string_view s, size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  const int extra = b0 < 0x80 ? 0 : (b0 & 0xE0) == 0xC0 ? 1 : (b0 & 0xF0) == 0xE0 ? 2 : -1;
  if (extra < 0 || i + extra >= s.size()) return std::nullopt;
  char32_t cp = extra == 0 ? b0 : (b0 & (0x3F >> extra));
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  i += extra + 1;
  return cp;
}

template <typename OnUnmappable>
std::optional<std::string> Encode(std::string_view utf8, OnUnmappable onUnmappable) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto cp = NextCodePoint(utf8, i);
    if (!cp) {
      if (!onUnmappable(out)) return std::nullopt;
      ++i;
      continue;
    }
    if (const auto b = FromUnicode(*cp)) {
      out += static_cast<char>(*b);
    } else if (!onUnmappable(out)) {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) AppendUtf8(out, ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
  return Encode(utf8, [](std::string&) { return false; });
}

std::string Utf8ToCp1251Lossy(std::string_view utf8) {
  return *Encode(utf8, [](std::string& out) {
    out += '?';
    return true;
  });
}

QString ToQString(std::string_view cp1251) {
  QString out;
  out.reserve(static_cast<qsizetype>(cp1251.size()));
  for (char c : cp1251)
    out += QChar(static_cast<char16_t>(ToUnicode(static_cast<unsigned char>(c))));
  return out;
}

std::string FromQString(const QString& text) {
  return Utf8ToCp1251Lossy(text.toStdString());
}

char Cp1251Lower(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDF) return static_cast<char>(b + 32);
  if (b == 0xA8) return static_cast<char>(0xB8);  // Ё -> ё
  return c;
}

std::string Cp1251LowerString(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Cp1251Lower(c);
  return out;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

}  // namespace shelf
