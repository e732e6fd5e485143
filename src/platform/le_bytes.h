// Little-endian numbers at an offset into a file's bytes, as the Windows formats store them.
// The caller has checked that the bytes are there.
#pragma once

#include <QtEndian>
#include <cstdint>
#include <string>

namespace shelf {

inline std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  return qFromLittleEndian<quint32>(bytes.data() + at);
}

inline std::uint64_t Le64(const std::string& bytes, std::size_t at) {
  return qFromLittleEndian<quint64>(bytes.data() + at);
}

}  // namespace shelf
