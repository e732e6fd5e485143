// Everything a copy of the program knows about the book it serves: the path mapping, the
// folders and the store of book files. Built once at start-up and passed by reference.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/book_location.h"
#include "platform/dos_path.h"
#include "store/book_folders.h"
#include "store/book_store.h"

namespace shelf {

struct TBookSession {
  TDosFileSystem FileSystem;
  TBookFolders Folders;
  TBookStore Store{FileSystem};
};

// Mounts the book at `bookFolder`, fills the folders and opens "interface.dat". A book without
// a container reads loose files only; a container that cannot be used is an error, as is a
// folder that does not exist or a per-user folder that cannot be made private.
std::unique_ptr<TBookSession> OpenBookSession(const std::filesystem::path& bookFolder,
                                              std::string& error);
// The same for a book already found (a folder, or a folder of a disc image).
std::unique_ptr<TBookSession> OpenBookSession(const TBookLocation& location, std::string& error);

// The book's title from its "Title.txt" (the last non-empty line), Windows-1251; empty when the
// book has none or it cannot be read.
std::string ReadBookTitle(const TBookSession& session);

}  // namespace shelf
