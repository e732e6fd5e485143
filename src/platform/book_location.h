// Finds the book a copy of the program serves and mounts it: the book's medium becomes drive d:
// and the host's root drive c:, so the DOS paths of the book files have somewhere to point.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/dos_path.h"

namespace shelf {

class TDiscImage;

struct TBookLocation {
  std::filesystem::path RunFolder;   // the folder holding Struct.txt and interface.dat
  std::filesystem::path MediumRoot;  // what drive d: stands for
  // A book read from a disc image: the folders above lie in its cache, and d: is the image.
  std::shared_ptr<const TDiscImage> Image;
};

// `folder` is the book's run folder, or its top folder when that has a "run" subfolder (any
// case). The medium is the folder above the book's top folder, so "<cd>" names reach the rest
// of a copied disc; a book whose top folder is a mount point is a medium of its own.
// Nullopt with `error` set when the folder does not exist.
std::optional<TBookLocation> LocateBook(const std::filesystem::path& folder, std::string& error);

// Maps d: to the medium (or the disc image) and c: to the host root, with the run folder as the
// current folder. Returns the run folder's DOS form ("d:\car\run\"), or nullopt (with `error`) when
// its path has names that Windows-1251 cannot spell.
std::optional<std::string> MountBook(const TBookLocation& book, TDosFileSystem& fileSystem,
                                     std::string& error);

}  // namespace shelf
