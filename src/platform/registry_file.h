// The text form of one registry hive: an INI file with a section per key and typed values
// written as in .reg exports ("name"="text", dword:0000002a, hex:00,ff), in UTF-8 for people.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace shelf {

enum class TRegValueType { String, Integer, Binary };

struct TRegValue {
  std::string name;  // Windows-1251, spelled as first written; empty for the default value
  TRegValueType type = TRegValueType::String;
  std::string bytes;    // String: the text (Windows-1251); Binary: the raw bytes
  int32_t integer = 0;  // Integer
};

// Key paths and value names compare without regard to case (ASCII and Cyrillic letters);
// the maps below are keyed by this folded form.
std::string RegistryNameKey(std::string_view name);

struct TRegKey {
  std::string path;  // parts joined by '\', spelled as first written
  std::map<std::string, TRegValue> values;
};

struct TRegHive {
  std::map<std::string, TRegKey> keys;
};

// A key path is one or more non-empty parts joined by '\', without NUL or line breaks.
bool IsValidKeyPath(std::string_view path);

// Lines that cannot be understood (damage, hand edits) are left out and counted in `skipped`.
TRegHive ParseRegistryFile(std::string_view text, int& skipped);

// `hiveName` goes into the comment at the top of the file.
std::string FormatRegistryFile(const TRegHive& hive, std::string_view hiveName);

}  // namespace shelf
