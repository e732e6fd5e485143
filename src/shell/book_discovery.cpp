#include "shell/book_discovery.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "platform/disc_image.h"
#include "platform/user_folders.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

const std::set<std::string> kPageExtensions = {".htm",  ".html", ".gif", ".jpg",
                                               ".jpeg", ".bmp",  ".png"};

std::string LowerName(const fs::path& path) {
  return Cp1251LowerString(Utf8ToCp1251Lossy(path.filename().string()));
}

bool IsBookFileName(const fs::path& path) {
  const std::string name = LowerName(path);
  return name == "interface.dat" || name == "struct.txt";
}

// A run folder holds the container or the description, in any letter case.
bool IsRunFolder(const fs::path& folder, const TDiscImage* image) {
  if (image != nullptr)
    return image->FindEntry(folder, "interface.dat") || image->FindEntry(folder, "struct.txt");
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (IsBookFileName(it->path()) && it->is_regular_file(ec)) return true;
  return false;
}

std::vector<fs::path> Subfolders(const fs::path& folder) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_directory(ec)) found.push_back(it->path());
  std::sort(found.begin(), found.end());
  return found;
}

// The run folder of a book whose top folder or run folder is `folder`.
std::optional<fs::path> RunFolderOf(const fs::path& folder, const TDiscImage* image) {
  if (IsRunFolder(folder, image)) return folder;
  for (const fs::path& sub : Subfolders(folder))
    if (LowerName(sub) == "run" && IsRunFolder(sub, image)) return sub;
  return std::nullopt;
}

bool IsDiscImageName(const fs::path& path) {
  return LowerName(path.extension()) == ".iso";
}

// One cache folder per image file, renewed when the file changes.
std::string ImageKey(const fs::path& image) {
  std::error_code ec;
  const std::string name = image.string();
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(name.data()), name.size());
  const auto size = fs::file_size(image, ec);
  const auto time = fs::last_write_time(image, ec).time_since_epoch().count();
  char key[80];
  std::snprintf(key, sizeof key, "%08lx-%llx-%llx", static_cast<unsigned long>(crc),
                static_cast<unsigned long long>(size), static_cast<unsigned long long>(time));
  return key;
}

}  // namespace

fs::path RFoundBook::Source() const {
  return Location.Image ? Location.Image->ImageFile() : Location.RunFolder;
}

std::optional<RFoundBook> TBookDiscovery::Find(const fs::path& path, std::string& error) const {
  std::error_code ec;
  const fs::path canonical = fs::canonical(path, ec);
  if (ec) {
    error = path.string() + " does not exist";
    return std::nullopt;
  }
  if (fs::is_regular_file(canonical, ec) && IsDiscImageName(canonical))
    return FindImage(canonical, {}, error);

  // A folder of a disc image laid out in the cache (another copy of the program names its book
  // this way): the image is opened again, so that its files keep coming out of it.
  const fs::path cache = fs::weakly_canonical(imageCache_, ec);
  const fs::path inCache = canonical.lexically_relative(cache);
  if (!cache.empty() && !inCache.empty() && *inCache.begin() != ".." && *inCache.begin() != ".") {
    std::ifstream source(cache / *inCache.begin() / "image");
    std::string image;
    if (std::getline(source, image)) {
      const fs::path disc = cache / *inCache.begin() / "disc";
      return FindImage(image, canonical.lexically_relative(disc), error);
    }
  }

  if (fs::is_directory(canonical, ec))
    if (auto found = FindInFolder(canonical, nullptr, true)) return found;

  // A file or folder inside a book: the nearest folder upward that is a run folder.
  for (fs::path folder = canonical.parent_path();; folder = folder.parent_path()) {
    if (IsRunFolder(folder, nullptr)) {
      auto found = FindInFolder(folder, nullptr, false);
      if (found && fs::is_regular_file(canonical, ec) && !IsBookFileName(canonical) &&
          kPageExtensions.count(LowerName(canonical.extension())))
        found->StartPage = canonical;
      return found;
    }
    if (folder == folder.root_path()) break;
  }
  if (fs::is_directory(canonical, ec)) {
    auto location = LocateBook(canonical, error);
    if (location) return RFoundBook{*location, std::nullopt};
    return std::nullopt;
  }
  error = "no book holds " + canonical.string() +
          " (no folder above it has interface.dat or Struct.txt)";
  return std::nullopt;
}

std::optional<RFoundBook> TBookDiscovery::FindImage(const fs::path& image,
                                                    const fs::path& folderInside,
                                                    std::string& error) const {
  std::error_code ec;
  fs::create_directories(imageCache_ / ImageKey(image), ec);
  const fs::path cacheFolder = fs::weakly_canonical(imageCache_ / ImageKey(image), ec);
  std::shared_ptr<const TDiscImage> disc = TDiscImage::Open(image, cacheFolder, error);
  if (!disc) return std::nullopt;
  std::ofstream(cacheFolder / "image") << image.string() << "\n";
  const fs::path start = (disc->Root() / folderInside).lexically_normal();
  auto found = FindInFolder(start, disc.get(), true);
  if (!found) {
    error = "the disc image " + image.string() + " holds no book (no interface.dat or Struct.txt)";
    return std::nullopt;
  }
  found->Location.MediumRoot = disc->Root();
  found->Location.Image = std::move(disc);
  return found;
}

std::optional<RFoundBook> TBookDiscovery::FindInFolder(const fs::path& folder,
                                                       const TDiscImage* image,
                                                       bool oneLevelDown) const {
  std::optional<fs::path> run = RunFolderOf(folder, image);
  for (const fs::path& sub : oneLevelDown && !run ? Subfolders(folder) : std::vector<fs::path>{})
    if ((run = RunFolderOf(sub, image))) break;
  if (!run) return std::nullopt;
  std::string error;
  auto location = LocateBook(*run, error);
  if (!location) return std::nullopt;
  return RFoundBook{*location, std::nullopt};
}

std::vector<RListedBook> TBookDiscovery::ListMounted(
    const std::vector<fs::path>& mediaRoots) const {
  std::vector<RListedBook> books;
  std::set<fs::path> seen;
  const auto add = [&](const fs::path& medium) {
    auto found = FindInFolder(medium, nullptr, true);
    if (!found || !seen.insert(found->Location.RunFolder).second) return false;
    books.push_back({found->Location.RunFolder, TitleOf(*found)});
    return true;
  };
  for (const fs::path& root : mediaRoots)
    for (const fs::path& medium : Subfolders(root))
      if (!add(medium))
        for (const fs::path& inner : Subfolders(medium)) add(inner);
  return books;
}

std::string TBookDiscovery::TitleOf(const RFoundBook& book) {
  std::string error;
  const auto session = OpenBookSession(book.Location, error);
  return session ? Cp1251ToUtf8(ReadBookTitle(*session)) : std::string();
}

std::optional<fs::path> InstalledSampleBook() {
  const fs::path program = ProgramFile();
  if (program.empty()) return std::nullopt;
  const fs::path book = program.parent_path().parent_path() / "share" / "shelf" / "samplebook";
  std::error_code ec;
  if (!fs::is_directory(book, ec)) return std::nullopt;
  return book;
}

fs::path DiscImageCache() {
  return CacheHome() / "shelf" / "images";
}

std::optional<RFoundBook> FindStartBook(std::vector<std::string>& arguments,
                                        const fs::path& builtSample, std::string& error) {
  std::optional<fs::path> named;
  std::error_code ec;
  if (!arguments.empty() && arguments[0] == "--book") {
    if (arguments.size() < 2) {
      error = "--book needs the book's folder or a file in it";
      return std::nullopt;
    }
    named = arguments[1];
    arguments.erase(arguments.begin(), arguments.begin() + 2);
  } else if (!arguments.empty() && arguments[0] != "/t" && arguments[0] != "/h") {
    // Whatever else comes first names the book, so a path that is not one is reported rather
    // than shown as a page of the sample book.
    named = arguments[0];
    arguments.erase(arguments.begin());
  }
  TBookDiscovery discovery(DiscImageCache());
  if (!named) {
    if (auto installed = InstalledSampleBook()) return discovery.Find(*installed, error);
    if (fs::is_directory(builtSample, ec)) return discovery.Find(builtSample, error);
    return std::nullopt;
  }
  auto found = discovery.Find(*named, error);
  if (found && found->StartPage) {
    TDosFileSystem fileSystem;
    std::string mountError;
    if (MountBook(found->Location, fileSystem, mountError))
      if (auto page = fileSystem.ToDos(*found->StartPage, false))
        arguments.insert(arguments.begin(), Cp1251ToUtf8(*page));
  }
  return found;
}

}  // namespace shelf
