// The fixed 840-byte record that copies of the program hand each other: what is asked (open a
// page, print a file, which picture is shown) and up to three Windows-1251 texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace shelf {

struct CopyDataRecord {
  static constexpr std::size_t kSize = 840;
  static constexpr std::size_t kItemSize = 274;  // 273 bytes of text and a NUL
  enum TKind : std::uint16_t { kOpenPage = 0, kPrintFile = 1, kPictureQuery = 3 };

  std::uint16_t Kind = 0;
  std::uint16_t Count = 1;
  std::array<std::uint32_t, 3> ItemTypes{};
  std::array<std::string, 3> Items;  // each at most 273 bytes

  // A record of `kind` with one text, as senders make them; longer texts are cut to 273 bytes.
  static CopyDataRecord Make(std::uint16_t kind, std::string_view text);
  void SetItem(std::size_t index, std::string_view text);

  // Little-endian, texts NUL-padded, the two reserved bytes zero.
  std::array<char, kSize> Encode() const;
  // Nullopt unless `bytes` is exactly kSize long; each text is read up to its first NUL.
  static std::optional<CopyDataRecord> Decode(std::string_view bytes);
};

}  // namespace shelf
