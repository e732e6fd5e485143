// Finds the book a reader points Shelf at: its top or run folder, a file inside it, a disc's
// mount point with the book one level down, or a disc image file; and lists the books on mounted
// media. No window: start-up asks it once, and the tests drive it directly.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/book_location.h"

namespace shelf {

struct RFoundBook {
  TBookLocation Location;
  // A page or picture the reader named inside the book (host path), to be shown first.
  std::optional<std::filesystem::path> StartPage;
  // What opens the book again: the image file, or the run folder.
  std::filesystem::path Source() const;
};

struct RListedBook {
  std::filesystem::path Path;  // what to give shelf to open it
  std::string Title;           // UTF-8; empty when the book has none
};

class TBookDiscovery {
 public:
  // Disc images are laid out under `imageCache`, one folder for each image.
  explicit TBookDiscovery(std::filesystem::path imageCache) : imageCache_(std::move(imageCache)) {}

  // The book `path` names. A folder that holds no book and lies in none is still taken as the
  // run folder, so that start-up reports what is missing from it. Nullopt with `error` when the
  // path does not exist, an image cannot be read or a file lies in no book.
  std::optional<RFoundBook> Find(const std::filesystem::path& path, std::string& error) const;

  // The books on media mounted under `mediaRoots` (/media/cdrom, /media/USER/LABEL): a medium
  // is a folder one or two levels down, and its book is the medium itself or one level below.
  std::vector<RListedBook> ListMounted(const std::vector<std::filesystem::path>& mediaRoots) const;

  // The UTF-8 title of a found book (empty when it has none or cannot be opened).
  static std::string TitleOf(const RFoundBook& book);

 private:
  std::optional<RFoundBook> FindImage(const std::filesystem::path& image,
                                      const std::filesystem::path& folderInside,
                                      std::string& error) const;
  // A book at `folder` or, when `oneLevelDown`, in one of its subfolders.
  std::optional<RFoundBook> FindInFolder(const std::filesystem::path& folder,
                                         const TDiscImage* image, bool oneLevelDown) const;

  std::filesystem::path imageCache_;
};

// Start-up's one call. Takes the book argument out of `arguments` ("--book PATH", or else a
// first argument that is not the switch "/t" or "/h") and finds its book; without one, the sample
// book installed beside the program (share/shelf/samplebook), else `builtSample`. A page named as
// the book is put first in `arguments` as its DOS path, where the roles take a page. Nullopt when
// there is no book: with `error` when one was named, with `error` empty when none was.
std::optional<RFoundBook> FindStartBook(std::vector<std::string>& arguments,
                                        const std::filesystem::path& builtSample,
                                        std::string& error);

// The installed sample book's folder next to the running program, when there is one.
std::optional<std::filesystem::path> InstalledSampleBook();

// Where disc images are laid out: the user's cache folder.
std::filesystem::path DiscImageCache();

}  // namespace shelf
