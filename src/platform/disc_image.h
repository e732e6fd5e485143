// A disc image file (.iso) read through libarchive as a read-only medium, without mounting it:
// its listing is read once, and a file is copied out into a private cache folder the first time
// the program asks for it, so every reader of host files (pages, sounds, fonts) works unchanged.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace shelf {

class TDiscImage {
 public:
  // Reads the listing of `image` and lays out its folders under `cacheFolder` (made when
  // missing; files already copied there by an earlier run are kept). Nullptr with `error` when
  // the file is not a disc image libarchive can read.
  static std::unique_ptr<TDiscImage> Open(const std::filesystem::path& image,
                                          const std::filesystem::path& cacheFolder,
                                          std::string& error);

  const std::filesystem::path& ImageFile() const { return image_; }
  // The host folder that stands for the image's root.
  const std::filesystem::path& Root() const { return root_; }

  // The name (UTF-8, as the cache spells it) of the entry of `folder` (a host path under Root())
  // whose Windows-1251 name is `cp1251Name` without regard to case; nullopt when there is none.
  std::optional<std::string> FindEntry(const std::filesystem::path& folder,
                                       std::string_view cp1251Name) const;

  // Makes `hostPath` (under Root()) ready to read: a file is copied out of the image unless it
  // was already; a folder gets every file directly inside it. False when the image cannot be
  // read; paths that are not in the image are left alone.
  bool Materialize(const std::filesystem::path& hostPath) const;

 private:
  struct REntry {
    std::filesystem::path Relative;  // UTF-8 names under the root
    bool IsFolder = false;
  };

  TDiscImage(std::filesystem::path image, std::filesystem::path root)
      : image_(std::move(image)), root_(std::move(root)) {}
  // Lower-case Windows-1251 form of a path under the root, '/' between names; "" is the root.
  std::string KeyOf(const std::filesystem::path& hostPath) const;
  bool CopyOut(const std::map<std::string, const REntry*>& wanted) const;

  std::filesystem::path image_;
  std::filesystem::path root_;
  std::map<std::string, REntry> entries_;  // by KeyOf
};

}  // namespace shelf
