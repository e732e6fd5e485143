#include "platform/registry_file.h"

#include <charconv>
#include <optional>

#include "platform/cp1251.h"

namespace shelf {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::optional<uint32_t> ParseHex(std::string_view digits, size_t maxDigits) {
  uint32_t value = 0;
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

void AppendHexByte(std::string& out, unsigned char byte) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 15];
}

// Text in quotes, UTF-8 in the file: '\' and '"' and control characters are escaped.
void AppendQuoted(std::string& out, std::string_view cp1251) {
  out += '"';
  for (const char c : Cp1251ToUtf8(cp1251)) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (IsControl(u)) {
      out += "\\x";
      AppendHexByte(out, u);
    } else {
      out += c;
    }
  }
  out += '"';
}

// Reads the quoted text that starts at `pos` and moves past it; nullopt when malformed or when
// the text has no Windows-1251 form.
std::optional<std::string> ReadQuoted(std::string_view line, size_t& pos) {
  if (pos >= line.size() || line[pos] != '"') return std::nullopt;
  std::string utf8;
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      ++pos;
      return Utf8ToCp1251(utf8);
    }
    if (c != '\\') {
      utf8 += c;
    } else if (pos + 1 < line.size() && (line[pos + 1] == '\\' || line[pos + 1] == '"')) {
      utf8 += line[++pos];
    } else if (line.substr(pos + 1, 1) == "x") {
      const std::string_view digits = line.substr(pos + 2, 2);
      const auto byte = digits.size() == 2 ? ParseHex(digits, 2) : std::nullopt;
      if (!byte) return std::nullopt;
      utf8 += static_cast<char>(*byte);
      pos += 3;
    } else {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

std::optional<std::string> ParseBytes(std::string_view list) {
  std::string bytes;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const auto byte = ParseHex(Trim(list.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes += static_cast<char>(*byte);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    if (comma != std::string_view::npos && list.empty()) return std::nullopt;
  }
  return bytes;
}

// `"name"=data` or `@=data` (the default value).
std::optional<TRegValue> ParseValueLine(std::string_view line) {
  TRegValue value;
  size_t pos = 0;
  if (line[0] == '@') {
    pos = 1;
  } else if (auto name = ReadQuoted(line, pos)) {
    value.name = std::move(*name);
  } else {
    return std::nullopt;
  }
  if (pos >= line.size() || line[pos] != '=') return std::nullopt;
  const std::string_view data = line.substr(pos + 1);
  if (data.starts_with('"')) {
    size_t end = 0;
    auto text = ReadQuoted(data, end);
    if (!text || end != data.size()) return std::nullopt;
    value.bytes = std::move(*text);
  } else if (data.starts_with("dword:")) {
    const auto number = ParseHex(data.substr(6), 8);
    if (!number) return std::nullopt;
    value.type = TRegValueType::Integer;
    value.integer = static_cast<int32_t>(*number);
  } else if (data.starts_with("hex:")) {
    auto bytes = ParseBytes(data.substr(4));
    if (!bytes) return std::nullopt;
    value.type = TRegValueType::Binary;
    value.bytes = std::move(*bytes);
  } else {
    return std::nullopt;
  }
  return value;
}

void AppendValue(std::string& out, const TRegValue& value) {
  if (value.name.empty())
    out += '@';
  else
    AppendQuoted(out, value.name);
  out += '=';
  switch (value.type) {
    case TRegValueType::String:
      AppendQuoted(out, value.bytes);
      break;
    case TRegValueType::Integer: {
      const auto number = static_cast<uint32_t>(value.integer);
      out += "dword:";
      for (int shift = 28; shift >= 0; shift -= 4) out += kHexDigits[(number >> shift) & 15];
      break;
    }
    case TRegValueType::Binary:
      out += "hex:";
      for (size_t i = 0; i < value.bytes.size(); ++i) {
        if (i > 0) out += ',';
        AppendHexByte(out, static_cast<unsigned char>(value.bytes[i]));
      }
      break;
  }
  out += '\n';
}

}  // namespace

std::string RegistryNameKey(std::string_view name) {
  return Cp1251LowerString(name);
}

bool IsValidKeyPath(std::string_view path) {
  if (path.empty() || path.front() == '\\' || path.back() == '\\') return false;
  if (path.find("\\\\") != std::string_view::npos) return false;
  // Line breaks would split the section header; the registry's own API ends names at NUL.
  return path.find_first_of(std::string_view("\0\n\r", 3)) == std::string_view::npos;
}

TRegHive ParseRegistryFile(std::string_view text, int& skipped) {
  TRegHive hive;
  skipped = 0;
  TRegKey* key = nullptr;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[') {
      // A damaged header must not let the values after it fall into the key before it.
      const auto path = line.back() == ']' && line.size() > 2
                            ? Utf8ToCp1251(line.substr(1, line.size() - 2))
                            : std::nullopt;
      key = path && IsValidKeyPath(*path)
                ? &hive.keys.try_emplace(RegistryNameKey(*path), TRegKey{*path, {}}).first->second
                : nullptr;
      if (key == nullptr) ++skipped;
      continue;
    }
    auto value = key == nullptr ? std::nullopt : ParseValueLine(line);
    if (!value) {
      ++skipped;
      continue;
    }
    std::string folded = RegistryNameKey(value->name);
    key->values.insert_or_assign(std::move(folded), std::move(*value));
  }
  return hive;
}

std::string FormatRegistryFile(const TRegHive& hive, std::string_view hiveName) {
  std::string out = "; Shelf settings, ";
  out += hiveName;
  out += ".\n; Text is UTF-8; dword values are hexadecimal.\n";
  for (const auto& [folded, key] : hive.keys) {
    out += "\n[" + Cp1251ToUtf8(key.path) + "]\n";
    for (const auto& [name, value] : key.values) AppendValue(out, value);
  }
  return out;
}

}  // namespace shelf
