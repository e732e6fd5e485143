#include "store/book_path.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/cp1251.h"
#include "store/book_text.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

std::string WithBackslash(std::string_view folder) {
  std::string result(folder);
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

// Length of the part of `base` (ending in '\') that ".." never climbs out of: the drive and its
// first folder ("d:\book\"), just the drive ("d:\"), or up to the first '\' of a relative base.
std::size_t RootLength(const std::string& base) {
  const std::size_t drive = base.find(":\\");
  if (drive == std::string::npos) return base.find('\\') + 1;
  const std::size_t below = drive + 2;
  const std::size_t end = base.find('\\', below);
  return end == std::string::npos ? below : end + 1;
}

// DOS wildcards over already lower-cased text: '*' any run, '?' any one byte.
bool WildcardMatch(std::string_view mask, std::string_view name) {
  std::size_t m = 0, n = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
      ++m, ++n;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

// As the DOS file functions match (both lower-cased): a mask ending in ".*" also takes names
// without an extension ("*.*" lists every file).
bool MaskMatches(std::string_view mask, std::string_view name) {
  if (WildcardMatch(mask, name)) return true;
  return mask.ends_with(".*") && name.find('.') == std::string_view::npos &&
         WildcardMatch(mask.substr(0, mask.size() - 2), name);
}

struct RFolderEntry {
  std::string Name;       // Windows-1251
  std::string LowerName;  // for sorting and matching
  bool IsFolder = false;
};

// Entries of a host folder, sorted by name without regard to case. Linked folders are left out
// so that a link loop cannot make the walk endless.
std::vector<RFolderEntry> ListFolder(const fs::path& folder) {
  std::vector<RFolderEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const auto name = Utf8ToCp1251(it->path().filename().string());
    if (!name) continue;
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      if (!it->is_symlink(typeError)) entries.push_back({*name, Cp1251LowerString(*name), true});
    } else if (it->is_regular_file(typeError)) {
      entries.push_back({*name, Cp1251LowerString(*name), false});
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const RFolderEntry& a, const RFolderEntry& b) { return a.LowerName < b.LowerName; });
  return entries;
}

}  // namespace

std::string ResolveBookPath(std::string_view text, const TBookFolders& folders) {
  const std::size_t cd = text.find("<cd>");
  if (cd != std::string_view::npos) {
    return std::string(text.substr(0, cd)) + folders.CdRoot + std::string(text.substr(cd + 4));
  }
  if (text.find(":\\") != std::string_view::npos ||
      text.find_first_of(".\\") == std::string_view::npos) {
    return std::string(text);
  }
  const std::size_t equals = text.rfind('=');
  if (equals == std::string_view::npos) return CombineBookPath(folders.ProgramDir, text);
  return std::string(text.substr(0, equals + 1)) +
         CombineBookPath(folders.ProgramDir, text.substr(equals + 1));
}

std::string CombineBookPath(std::string_view baseFolder, std::string_view relativeName) {
  const std::string base = WithBackslash(baseFolder);
  const std::size_t rootLength = RootLength(base);
  const std::string name = TrimText(relativeName);
  std::string path = !name.empty() && name.front() == '\\'
                         ? base.substr(0, rootLength) + name.substr(1)
                         : base + name;
  for (std::size_t up; (up = path.find("\\..\\")) != std::string::npos;) {
    if (up >= rootLength) {
      const std::size_t folderStart = path.rfind('\\', up - 1);  // the root ends in '\'
      path.erase(folderStart, up + 3 - folderStart);
    } else {
      path.erase(up + 1, 3);
    }
  }
  return path;
}

TDynamicStringArray FindFiles(const TDosFileSystem& fileSystem, std::string_view folder,
                              const TDynamicStringArray& masks, bool recurse, bool includeFolders) {
  TDynamicStringArray found;
  if (folder.empty()) return found;
  TDynamicStringArray lowerMasks;
  for (const std::string& mask : masks) lowerMasks.push_back(Cp1251LowerString(mask));
  std::deque<std::string> queue{WithBackslash(folder)};
  for (; !queue.empty(); queue.pop_front()) {
    const std::string& dosFolder = queue.front();
    const auto hostFolder = fileSystem.ToHost(dosFolder);
    std::error_code ec;
    if (!hostFolder || !fs::is_directory(*hostFolder, ec)) continue;
    if (includeFolders) found.push_back(dosFolder);
    const std::vector<RFolderEntry> entries = ListFolder(*hostFolder);
    for (const std::string& mask : lowerMasks) {
      for (const RFolderEntry& entry : entries) {
        if (!entry.IsFolder && MaskMatches(mask, entry.LowerName)) {
          found.push_back(dosFolder + entry.Name);
        }
      }
    }
    if (!recurse) continue;
    for (const RFolderEntry& entry : entries) {
      if (entry.IsFolder) queue.push_back(dosFolder + entry.Name + '\\');
    }
  }
  return found;
}

}  // namespace shelf
