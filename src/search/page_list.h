// The pages the searches go through, and the query text as they take it from a find box.
#pragma once

#include <string>
#include <string_view>

#include "store/dynamic_arrays.h"

namespace shelf {

class TBookStore;
class TDosFileSystem;
struct TBookFolders;

// Trimmed, with every run of spaces made one space.
std::string CleanQuery(std::string_view text);

// A name whose extension begins with ".htm" (any case).
bool IsPageName(std::string_view name);

// Sorted by name without regard to case, each name once, so results never depend on the disk.
void SortPages(TDynamicStringArray& pages);

// The pages a scan over all pages reads (full DOS names): the container's pages outside its
// top folders "man\" and "man_\", in small letters, else the program folder's "*.htm*" files;
// sorted.
TDynamicStringArray BookScanPages(const TBookStore& store, const TDosFileSystem& fileSystem,
                                  const TBookFolders& folders);

}  // namespace shelf
