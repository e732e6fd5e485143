// Maps the DOS-style paths of book files ("d:\book\run\x.htm") onto host paths: a drive letter
// stands for a host folder, '\' separates components, each component is found without regard to
// letter case (a book copied from a disc has names in any case), names convert to UTF-8.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace shelf {

class TDiscImage;

class TDosFileSystem {
 public:
  // `letter` is case-insensitive; the host folder must exist.
  void MapDrive(char letter, std::filesystem::path hostFolder);
  // The drive stands for a disc image: names are looked up in its listing, and a path asked for
  // is copied out of the image first (a folder with its files), so the host path can be read.
  void MapImage(char letter, std::shared_ptr<const TDiscImage> image);

  // Relative DOS paths are taken against this folder (DOS form, ending in '\').
  void SetCurrentDir(std::string dosFolder) { currentDir_ = std::move(dosFolder); }

  // The host path for a DOS path. Components that exist are matched without regard to case
  // (ASCII and Cyrillic); the rest keep their spelling. "." and ".." are folded; ".." never
  // climbs above the drive's folder. Nullopt when the drive is not mapped or a name cannot be
  // converted. '/' is accepted as a separator too.
  std::optional<std::filesystem::path> ToHost(std::string_view dosPath) const;

  // The DOS path of a host path that lies under a mapped drive (the deepest mapping wins);
  // nullopt otherwise or when a name has no Windows-1251 form. Folders get a trailing '\' only
  // when `isFolder`.
  std::optional<std::string> ToDos(const std::filesystem::path& hostPath, bool isFolder) const;

 private:
  std::map<char, std::filesystem::path> drives_;
  std::map<char, std::shared_ptr<const TDiscImage>> images_;
  std::string currentDir_;
};

}  // namespace shelf
