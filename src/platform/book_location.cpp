#include "platform/book_location.h"

#include <sys/stat.h>

#include "platform/cp1251.h"
#include "platform/disc_image.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

bool IsMountPoint(const fs::path& folder) {
  struct stat self {
  }, parent{};
  if (folder == folder.root_path()) return true;
  if (stat(folder.c_str(), &self) != 0 || stat(folder.parent_path().c_str(), &parent) != 0)
    return false;
  return self.st_dev != parent.st_dev;
}

bool IsRunName(const fs::path& name) {
  return AsciiLower(name.string()) == "run";
}

std::optional<fs::path> RunSubfolder(const fs::path& top) {
  std::error_code ec;
  for (fs::directory_iterator it(top, ec), end; !ec && it != end; it.increment(ec))
    if (IsRunName(it->path().filename()) && it->is_directory(ec)) return it->path();
  return std::nullopt;
}

}  // namespace

std::optional<TBookLocation> LocateBook(const fs::path& folder, std::string& error) {
  std::error_code ec;
  const fs::path canonical = fs::canonical(folder, ec);
  if (ec || !fs::is_directory(canonical, ec)) {
    error = "the book folder " + folder.string() + " does not exist";
    return std::nullopt;
  }
  TBookLocation book;
  fs::path top;
  if (IsRunName(canonical.filename())) {
    book.RunFolder = canonical;
    top = canonical.parent_path();
  } else if (auto run = RunSubfolder(canonical)) {
    book.RunFolder = *run;
    top = canonical;
  } else {
    book.RunFolder = canonical;
    top = canonical;
  }
  book.MediumRoot = IsMountPoint(top) ? top : top.parent_path();
  return book;
}

std::optional<std::string> MountBook(const TBookLocation& book, TDosFileSystem& fileSystem,
                                     std::string& error) {
  fileSystem.MapDrive('c', "/");
  if (book.Image)
    fileSystem.MapImage('d', book.Image);
  else
    fileSystem.MapDrive('d', book.MediumRoot);
  auto programDir = fileSystem.ToDos(book.RunFolder, true);
  if (!programDir) {
    error = "the book folder " + book.RunFolder.string() +
            " has a name that cannot be written in Windows-1251";
    return std::nullopt;
  }
  fileSystem.SetCurrentDir(*programDir);
  return programDir;
}

}  // namespace shelf
