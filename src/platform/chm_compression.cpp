#include "platform/chm_compression.h"

#include <bit>

#include "platform/le_bytes.h"

namespace shelf {

namespace {

// Every compressed block holds one frame of the compressor's output.
constexpr std::uint64_t kFrame = 0x8000;
// libchm reads a block into a buffer this much larger than a frame.
constexpr std::uint64_t kBlockSlack = 6144;
constexpr std::uint64_t kResetTableHead = 0x28, kControlDataHead = 0x18;
// The window sizes the decompressor can make.
constexpr std::uint32_t kMinWindow = 1u << 15, kMaxWindow = 1u << 21;

}  // namespace

// Computed as libchm computes them, in 32 bits.
bool ChmControlDataIsSound(const std::string& control) {
  if (control.size() < kControlDataHead || control.compare(4, 4, "LZXC") != 0) return false;
  const auto version = Le32(control, 8);
  auto resetInterval = Le32(control, 12);
  auto window = Le32(control, 16);
  const auto windowsPerReset = Le32(control, 20);
  if (version == 2) {
    resetInterval *= kFrame;
    window *= kFrame;
  }
  if (!std::has_single_bit(window) || window < kMinWindow || window > kMaxWindow) return false;
  if (resetInterval == 0 || resetInterval % (window / 2) != 0) return false;
  const std::uint32_t blocksPerReset = resetInterval / (window / 2) * windowsPerReset;
  return blocksPerReset != 0 && blocksPerReset <= kMaxChmBlocksPerReset;
}

std::uint64_t ChmCompressedLength(const std::string& table, const std::string& control) {
  if (!ChmControlDataIsSound(control) || table.size() < kResetTableHead || Le32(table, 0) != 2)
    return 0;
  const std::uint64_t blocks = Le32(table, 4), entries = Le32(table, 12);
  const std::uint64_t length = Le64(table, 16), compressed = Le64(table, 24);
  if (Le64(table, 32) != kFrame || blocks == 0 || entries > table.size() ||
      blocks > (table.size() - entries) / 8 || length > blocks * kFrame)
    return 0;
  // Each block starts where the one before it ends and is no longer than libchm's buffer; the
  // last ends where the compressed data ends.
  std::uint64_t start = Le64(table, entries);
  for (std::uint64_t block = 1; block <= blocks; ++block) {
    const std::uint64_t end = block < blocks ? Le64(table, entries + block * 8) : compressed;
    if (end < start || end - start > kFrame + kBlockSlack) return 0;
    start = end;
  }
  return length;
}

}  // namespace shelf
