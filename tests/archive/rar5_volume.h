// A RAR 5 volume of stored files made by hand for the archive tests (Debian has no RAR 5
// writer): enough of the format for volume sets, read back by libarchive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rar4_writer.h"

namespace shelf::test {

// A file of a volume: whole, or a piece of a file split over volumes.
struct TRar5File {
  std::string Name, Data;
  bool SplitBefore = false, SplitAfter = false;
  std::size_t WholeSize = 0;     // of a split file; 0: Data is the whole file
  std::uint64_t StatedSize = 0;  // the unpacked size a whole file's header states; 0: Data's
};

inline std::string Rar5Number(std::uint64_t value) {
  std::string out;
  do {
    out += static_cast<char>((value & 0x7F) | (value > 0x7F ? 0x80 : 0));
    value >>= 7;
  } while (value);
  return out;
}

inline std::string Rar5Le32(std::uint32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A block: CRC32 of the header from its size on, the size, then the fields from the type on.
inline std::string Rar5Block(const std::string& fields) {
  const std::string header = Rar5Number(fields.size()) + fields;
  return Rar5Le32(rar4::Crc32(header)) + header;
}

// A main block saying the archive is volume `number` (from 0) of a set, a file block per file,
// and the end block (`moreVolumes`: another volume follows).
inline std::string Rar5Volume(int number, const std::vector<TRar5File>& files, bool moreVolumes) {
  const auto n = Rar5Number;
  std::string out("Rar!\x1A\x07\x01\x00", 8);
  out += Rar5Block(n(1) + n(0) + n(number ? 0x0003 : 0x0001) + (number ? n(number) : ""));
  for (const TRar5File& file : files) {
    const bool split = file.SplitBefore || file.SplitAfter;
    const int flags = 0x0002 | (file.SplitBefore ? 0x0008 : 0) | (file.SplitAfter ? 0x0010 : 0);
    out += Rar5Block(n(2) + n(flags) + n(file.Data.size()) + n(split ? 0 : 0x0004) +
                     n(split             ? file.WholeSize
                       : file.StatedSize ? file.StatedSize
                                         : file.Data.size()) +
                     n(0x20) + (split ? "" : Rar5Le32(rar4::Crc32(file.Data))) + n(0) + n(0) +
                     n(file.Name.size()) + file.Name) +
           file.Data;
  }
  return out + Rar5Block(n(5) + n(0) + n(moreVolumes ? 1 : 0));
}

}  // namespace shelf::test
