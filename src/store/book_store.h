// Where book files come from: the packed container (when one is open) and the loose files on
// disk. One per process, made by the application and passed by reference to every reader.
#pragma once

#include <string>
#include <string_view>

#include "platform/dos_path.h"
#include "store/dynamic_arrays.h"
#include "store/packed_container.h"

namespace shelf {

class TBookStore {
 public:
  explicit TBookStore(const TDosFileSystem& fileSystem) : fileSystem_(fileSystem) {}

  // Opens the container at a DOS path. False with a message when it cannot be used; the store
  // then reads loose files only.
  bool OpenPackedContainer(std::string_view dosPath, std::string& error);
  // Paths beginning with the prefix (the book root) are looked up in the container without it.
  void SetPackedPrefix(std::string_view prefix) { container_.SetPackedPrefix(prefix); }

  // A loose file on disk, otherwise a file in the container.
  bool BookFileExists(std::string_view dosPath) const;
  TDynamicStringArray ListPackedFiles() const { return container_.ListPackedFiles(); }

  // The whole file into `bytes`: from the container when it holds the file intact, otherwise
  // the loose file. False (and `bytes` empty) when neither can be read, or the file is larger
  // than its kind's ceiling (store/file_size_ceiling.h): that is known before anything is read.
  bool ReadBookFile(std::string_view dosPath, std::string& bytes) const;

  const TPackedContainer& Container() const { return container_; }

 private:
  bool ReadLooseFile(std::string_view dosPath, std::string& bytes) const;

  const TDosFileSystem& fileSystem_;
  TPackedContainer container_;  // closed when there is none: it then finds nothing
};

}  // namespace shelf
