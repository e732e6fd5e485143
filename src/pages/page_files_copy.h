// Copies a page of the book with its companion folder "<page>.files" into a folder the reader
// chose: the loose files first, then what the container holds that they did not give.
#pragma once

#include <filesystem>
#include <string>

namespace shelf {

class TBookStore;
class TDosFileSystem;
struct TBookFolders;

// `page` is a full DOS file name; false when a file could not be written.
bool CopyPageWithFiles(const TBookStore& store, const TDosFileSystem& fileSystem,
                       const TBookFolders& folders, const std::string& page,
                       const std::filesystem::path& folder);

}  // namespace shelf
