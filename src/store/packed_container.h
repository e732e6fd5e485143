// Reader of the packed container "interface.dat": one file holding a directory tree and the
// bytes of the book's files, each stored raw or zlib-compressed; lookups by normalised name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/dynamic_arrays.h"

namespace shelf {

// Constants of the on-disk format.
inline constexpr std::uint32_t kPackedSizeDiffMask = 0x5A3C96E1;
inline constexpr std::uint32_t kPackedStoredSizeMask = 0x2D7B0C48;
inline constexpr std::uint32_t kPackedFile = 1;
inline constexpr std::uint32_t kPackedDirectory = 2;
inline constexpr std::size_t kPackedNameSize = 64;       // bytes of an entry name
inline constexpr std::size_t kPackedMaxPath = 1023;      // a looked-up path, prefix included
inline constexpr std::size_t kPackedMaxComponent = 100;  // one directory component of a path
inline constexpr std::size_t kPackedHeaderSize = 8;
inline constexpr std::size_t kPackedDirHeaderSize = 16;
inline constexpr std::size_t kPackedDirRecordSize = 8;
inline constexpr std::size_t kPackedEntryRecordSize = 80;

struct RPackedDir {
  std::uint32_t FirstEntry = 0;
  std::uint32_t EntriesInDir = 0;
};

struct RPackedEntry {
  char Name[kPackedNameSize] = {};
  std::uint8_t NameLength = 0;
  std::uint32_t Offset = 0;  // file: position after DataBase; directory: its directory index
  std::uint32_t StoredSize = 0;
  std::uint32_t Size = 0;
  std::uint32_t Type = 0;

  std::string_view NameView() const { return {Name, NameLength}; }
};

class TPackedContainer {
 public:
  // Opens the container at a host path; any container opened before is closed first. False with
  // a message in `error` when the file cannot be read or its directory is damaged or
  // inconsistent; the container is then closed (it behaves as empty).
  bool OpenPackedContainer(const std::filesystem::path& path, std::string& error);
  bool IsOpen() const { return file_ != nullptr; }

  // Paths that begin with the (normalised) prefix are looked up without it.
  void SetPackedPrefix(std::string_view prefix);

  // '/' becomes '\', ASCII a..z and Cyrillic а..я become upper case; nothing else changes.
  static std::string NormalisePackedName(std::string_view name);

  // Index of the file entry a path names, or -1.
  int ResolvePackedPath(std::string_view path) const;
  // Index of the first entry of `directory` named `name` when it has the wanted type, else -1.
  int FindInDirectory(std::string_view name, std::uint32_t directory,
                      std::uint32_t wantedType) const;

  // The whole unpacked file of a file entry into `bytes`; false (and `bytes` empty) when the
  // index is not a file, its bytes lie outside the container or fail to inflate.
  bool ReadPackedEntry(int index, std::string& bytes) const;

  // Path of every file, components joined by '\', relative to the root, in stored order.
  TDynamicStringArray ListPackedFiles() const;

  // Depth-first walk in stored order over entries whose names do not begin with '.', giving the
  // path (joined by '\') and entry index of each file and directory. Each directory is walked at
  // most once, so damaged tables that loop cannot hang it; paths longer than the lookup limit
  // are left out, as no lookup could reach them.
  void WalkPackedTree(const std::function<void(std::string_view path, int index)>& visit) const;

  const RPackedEntry& Entry(int index) const { return entries_[index]; }

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  bool ParseDirectory(std::string_view block, std::string& error);
  void Close();
  void WalkDirectory(std::uint32_t directory, std::string& path, std::vector<bool>& walked,
                     const std::function<void(std::string_view, int)>& visit) const;

  std::unique_ptr<std::FILE, FileCloser> file_;
  std::uint64_t fileSize_ = 0;
  std::uint64_t dataBase_ = 0;
  std::uint32_t rootDir_ = 0;
  std::uint32_t currentDir_ = 0;
  std::vector<RPackedDir> dirs_;
  std::vector<RPackedEntry> entries_;
  // Every entry's index, by name and then by index: a lookup costs the same in a directory of
  // ten entries and of ten thousand.
  std::vector<std::uint32_t> byName_;
  std::string prefix_;
};

}  // namespace shelf
