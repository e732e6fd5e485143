#include "store/compr_stream.h"

#include <algorithm>
#include <cstring>

#include "platform/cp1251.h"
#include "store/book_store.h"

namespace shelf {

TComprStream::TComprStream(const TBookStore& store, std::string_view fileName) {
  if (!store.ReadBookFile(fileName, bytes_))
    throw EFOpenError("Cannot open file \"" + Cp1251ToUtf8(fileName) + "\"");
}

std::size_t TComprStream::Read(void* buffer, std::size_t count) {
  const std::size_t n = std::min(count, bytes_.size() - position_);
  if (n != 0) std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

bool TComprStream::ReadByte(char& byte) {
  if (position_ >= bytes_.size()) return false;
  byte = bytes_[position_++];
  return true;
}

}  // namespace shelf
