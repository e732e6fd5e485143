#include "platform/copy_data_record.h"

#include <algorithm>
#include <cstring>

namespace shelf {
namespace {

void Put(char* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t Get(const char* at, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(at[i])) << (8 * i);
  return value;
}

}  // namespace

CopyDataRecord CopyDataRecord::Make(std::uint16_t kind, std::string_view text) {
  CopyDataRecord record;
  record.Kind = kind;
  record.SetItem(0, text);
  return record;
}

void CopyDataRecord::SetItem(std::size_t index, std::string_view text) {
  Items[index] = std::string(text.substr(0, kItemSize - 1));
  if (const std::size_t nul = Items[index].find('\0'); nul != std::string::npos)
    Items[index].resize(nul);
}

std::array<char, CopyDataRecord::kSize> CopyDataRecord::Encode() const {
  std::array<char, kSize> bytes{};
  Put(bytes.data(), Kind, 2);
  Put(bytes.data() + 2, Count, 2);
  for (std::size_t i = 0; i < 3; ++i) {
    Put(bytes.data() + 4 + 4 * i, ItemTypes[i], 4);
    const std::size_t length = std::min(Items[i].size(), kItemSize - 1);
    std::memcpy(bytes.data() + 16 + kItemSize * i, Items[i].data(), length);
  }
  return bytes;
}

std::optional<CopyDataRecord> CopyDataRecord::Decode(std::string_view bytes) {
  if (bytes.size() != kSize) return std::nullopt;
  CopyDataRecord record;
  record.Kind = static_cast<std::uint16_t>(Get(bytes.data(), 2));
  record.Count = static_cast<std::uint16_t>(Get(bytes.data() + 2, 2));
  for (std::size_t i = 0; i < 3; ++i) {
    record.ItemTypes[i] = Get(bytes.data() + 4 + 4 * i, 4);
    const std::string_view item = bytes.substr(16 + kItemSize * i, kItemSize);
    record.Items[i] = std::string(item.substr(0, item.find('\0')));
  }
  return record;
}

}  // namespace shelf
