#include "search/page_list.h"

#include <algorithm>

#include "platform/cp1251.h"
#include "store/book_folders.h"
#include "store/book_path.h"
#include "store/book_store.h"
#include "store/book_text.h"

namespace shelf {

std::string CleanQuery(std::string_view text) {
  std::string clean = TrimText(text);
  for (std::size_t at; (at = clean.find("  ")) != std::string::npos;) clean.erase(at, 1);
  return clean;
}

bool IsPageName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && Cp1251LowerString(name.substr(dot)).find(".htm") == 0;
}

void SortPages(TDynamicStringArray& pages) {
  const auto lower = [](const std::string& name) { return Cp1251LowerString(name); };
  std::stable_sort(pages.begin(), pages.end(),
                   [&](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
  pages.erase(
      std::unique(pages.begin(), pages.end(),
                  [&](const std::string& a, const std::string& b) { return lower(a) == lower(b); }),
      pages.end());
}

TDynamicStringArray BookScanPages(const TBookStore& store, const TDosFileSystem& fileSystem,
                                  const TBookFolders& folders) {
  TDynamicStringArray list;
  for (const std::string& entry : store.ListPackedFiles()) {
    const std::size_t slash = entry.find('\\');
    const std::string top =
        slash == std::string::npos ? "" : Cp1251LowerString(entry.substr(0, slash + 1));
    if (IsPageName(entry) && top != "man\\" && top != "man_\\")
      list.push_back(folders.BookRoot + Cp1251LowerString(entry));
  }
  if (list.empty()) list = FindFiles(fileSystem, folders.ProgramDir, {"*.htm*"}, false, false);
  SortPages(list);
  return list;
}

}  // namespace shelf
