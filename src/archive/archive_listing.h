// The pages that show a RAR archive's contents: its folders (stored or implied by the files'
// paths), one page per folder with rows for "..", the subfolders and the files with their
// sizes and dates, and the frameset and bar pages around them. Windows-1251 text throughout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shelf {

struct RListFiles {
  std::string Name;  // path inside the archive, '\' between folders
  std::uint64_t Size = 0;
  std::uint32_t FileTime = 0;  // MS-DOS date and time
};

struct RListDir {
  std::string Name;
  std::string PageFile;
  std::uint32_t FileTime = 0;
};
using TListDir = std::vector<RListDir>;

struct RInfoFiles {
  std::string FolderPath;  // no trailing '\'; the root is empty
  std::string PageFile;
  TListDir SubDirs;
  std::vector<RListFiles> Files;
};

// A listing has at most this many folder pages: a hostile archive could imply a folder for
// every level of every name.
constexpr std::size_t kMaxListedFolders = 10000;

// The folder pages of an archive whose folder entries are `dirs` (the root first, then the
// stored folders) and whose files are `files`. When only the root is stored, the files'
// folders and their parents are added. Page n is named "as_" + n + `stamp` + ".htm". Folders
// beyond kMaxListedFolders are left out, and so are the files in them.
std::vector<RInfoFiles> BuildFolderPages(TListDir dirs, const std::vector<RListFiles>& files,
                                         const std::string& stamp);

// "999 байт", "2 Кбайт" (thousands rounded half to even, a no-break space between thousands).
std::string FormatArchiveSize(std::uint64_t size);
// "14 мар 24 10:20"; empty for 0.
std::string FormatArchiveTime(std::uint32_t dosTime);
// The current local time as an MS-DOS date and time.
std::uint32_t DosTimeNow();

// "Содержимое архива: " + the archive's name.
std::string ListingTitle(const std::string& archiveName);
std::string FramesetPage(const std::string& title, const std::string& rootPage);
std::string BarPage();
std::string FolderPage(const std::string& title, const RInfoFiles& folder);

}  // namespace shelf
