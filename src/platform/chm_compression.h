// Checks the parameters of a compiled help file's compressed section before libchm decompresses
// with them: libchm divides by them and sizes its buffers from them as the file states them.
#pragma once

#include <cstdint>
#include <string>

namespace shelf {

// Whether the control data names a window the decompressor can make and a whole number of
// blocks between its resets, no more than `kMaxChmBlocksPerReset`.
bool ChmControlDataIsSound(const std::string& controlData);

// How many uncompressed bytes the section yields safely, from the bytes of its reset table and
// of its control data; 0 when a parameter would crash libchm or send it past its buffers.
std::uint64_t ChmCompressedLength(const std::string& resetTable, const std::string& controlData);

// Where a help file keeps the control data, and the most libchm reads of it.
constexpr char kChmControlData[] = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr std::uint64_t kMaxChmControlData = 256;

// Help compilers reset the decompressor every few blocks; a file that resets it more rarely
// would have each read decompress that many blocks first.
constexpr std::uint32_t kMaxChmBlocksPerReset = 1024;

}  // namespace shelf
