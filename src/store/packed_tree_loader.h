// Reads a host folder into the tree the container writer packs: host names (UTF-8) become
// normalised Windows-1251 names, and each directory's entries come in a stable sorted order.
#pragma once

#include <filesystem>
#include <string>

#include "store/packed_container_writer.h"

namespace shelf {

// Fills `root` with the content of `folder`. False with a message naming the host path when a
// name has no Windows-1251 form, is longer than an entry holds, clashes with a sibling once
// normalised, makes a path longer than a lookup accepts, or when something cannot be read.
bool LoadPackedTree(const std::filesystem::path& folder, RPackedNode& root, std::string& error);

}  // namespace shelf
