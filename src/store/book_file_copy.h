// Copies a book file (from the container or from disk) to a file of the host, as the reader's
// copies of pages, attachments and archives need it.
#pragma once

#include <filesystem>
#include <string_view>

namespace shelf {

class TBookStore;

// Overwrites `to`, creating its folder and the folder's parents first. False when the book file
// cannot be read or the copy cannot be written.
bool CopyBookFile(const TBookStore& store, std::string_view dosFrom,
                  const std::filesystem::path& to);

}  // namespace shelf
