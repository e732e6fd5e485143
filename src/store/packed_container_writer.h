// Writer of the packed container format, for the bookpack tool and for tests that need
// containers of any layout (odd orders, "." entries, raw directory blocks).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shelf {

// One entry of the tree to pack; the root node stands for the container's root directory.
struct RPackedNode {
  std::string Name;  // one component, stored as given (callers normalise it)
  bool IsDirectory = false;
  std::string Bytes;                  // a file's content
  std::vector<RPackedNode> Children;  // a directory's entries, in the order they are stored
};

struct RPackWriteOptions {
  bool CompressFiles = true;      // a file is compressed when that makes it smaller
  bool CompressDirectory = true;  // likewise the directory block
  bool DotEntries = false;        // "." and ".." at the head of every directory, as some writers do
  std::uint32_t ThirdWord = 0;    // the directory word no reader uses
};

// Fills `container` with the bytes of a container holding `root`'s children. False with a
// message when a name is longer than an entry can hold.
bool WritePackedContainer(const RPackedNode& root, const RPackWriteOptions& options,
                          std::string& container, std::string& error);

}  // namespace shelf
