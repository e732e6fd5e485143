// Checks a compiled help file's directory before libchm reads it: libchm follows the chunk
// numbers a file states without noticing a cycle or a number past the end, and hangs on them.
#pragma once

#include <cstdint>
#include <filesystem>

namespace shelf {

// True when the headers, the chain of listing chunks and the tree of index chunks of `file` are
// consistent: every chunk number names a chunk inside the file, no chunk is reached twice on the
// chain or in the tree, the tree is at most `kMaxChmIndexDepth` deep, every entry lies whole
// inside its chunk in one of the two sections, and the compressed section's control data, which
// libchm reads while it opens the file, is whole and sound.
bool ChmDirectoryIsSound(const std::filesystem::path& file);

// Help compilers write one or two index levels; this leaves room for millions of files.
constexpr int kMaxChmIndexDepth = 8;
// The compilers write 4 KiB chunks; a larger chunk is a sign of a damaged file.
constexpr std::uint32_t kMaxChmChunk = 64 << 10;

}  // namespace shelf
