// The rules that turn file names written in book files into full DOS paths, and the folder walk
// that lists book files by DOS wildcard masks.
#pragma once

#include <string>
#include <string_view>

#include "platform/dos_path.h"
#include "store/book_folders.h"
#include "store/dynamic_arrays.h"

namespace shelf {

// "<cd>" becomes the CD root; absolute paths and words that are no file name (neither '.' nor
// '\') stay as they are; anything else is taken against the program folder. In "key=name" only
// the part after the last '=' is a name.
std::string ResolveBookPath(std::string_view text, const TBookFolders& folders);

// `relativeName` (trimmed) against `baseFolder`; a leading '\' starts at the base's root part
// (the drive and its first folder, "d:\book\"). Every "\..\" is folded, never above that root.
std::string CombineBookPath(std::string_view baseFolder, std::string_view relativeName);

// Files of `folder` (a DOS path) matching any of the DOS wildcard masks ('*', '?', case-blind),
// as folder + name, listed mask by mask; with `recurse` the subfolders follow breadth-first, and
// with `includeFolders` each folder walked is listed before its files. Names are sorted within a
// folder; host names that Windows-1251 cannot spell are left out. A missing folder lists nothing.
TDynamicStringArray FindFiles(const TDosFileSystem& fileSystem, std::string_view folder,
                              const TDynamicStringArray& masks, bool recurse, bool includeFolders);

}  // namespace shelf
