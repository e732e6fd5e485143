// The folders a reader types into a path box, as host folders: the boxes show and take host
// paths ("/home/reader/manual/", "~/manual"), while a book's defaults and older stored values
// may still name DOS folders, which are converted on the way in.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string_view>

namespace shelf {

class TDosFileSystem;

class THostFolderNames {
 public:
  // `cdRoot` is the book's own drive ("d:\"); other bare drive roots mean the home folder.
  THostFolderNames(const TDosFileSystem& fileSystem, std::string_view cdRoot);

  // What a box shows for a folder from the book or the settings (Windows-1251): a DOS folder
  // converted to its host folder, a host path as it is.
  QString Shown(std::string_view stored) const;
  // The host folder that a box's text names: absolute, "~" or "~/...", or a DOS folder.
  // Nullopt when it names none (empty or relative).
  std::optional<std::filesystem::path> Folder(const QString& text) const;

 private:
  std::optional<std::filesystem::path> FromDos(std::string_view dos) const;

  const TDosFileSystem& fileSystem_;
  char bookDrive_;
};

}  // namespace shelf
