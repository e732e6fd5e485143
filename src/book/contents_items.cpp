#include "book/contents_items.h"

#include "platform/cp1251.h"
#include "store/book_store.h"
#include "store/book_text.h"
#include "store/compr_stream.h"

namespace shelf {

std::vector<TContentsItem> ParseContentsLines(const TDynamicStringArray& lines) {
  std::vector<TContentsItem> items;
  items.reserve(lines.size());
  // The latest item of every depth so far: the parent a shallower line goes back to.
  std::vector<int> lastOfDepth;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    int tabs = 0;
    while (tabs < static_cast<int>(line.size()) && line[tabs] == '\t') ++tabs;
    TContentsItem item;
    const std::size_t semicolon = line.find(';', tabs);
    item.Page = TrimText(std::string_view(line).substr(tabs, semicolon - tabs));
    if (semicolon != std::string::npos) {
      const std::size_t end = line.find(';', semicolon + 1);
      item.Caption = TrimText(std::string_view(line).substr(semicolon + 1, end - semicolon - 1));
    }
    if (!items.empty() && tabs > 0) {
      const int previous = static_cast<int>(items.size()) - 1;
      const int d = items.back().Depth;
      if (tabs > d && d < kMaxContentsDepth)
        item.Parent = previous;
      else if (tabs < d)
        item.Parent = lastOfDepth[tabs - 1];
      else
        item.Parent = items.back().Parent;
    }
    item.Depth = item.Parent < 0 ? 0 : items[item.Parent].Depth + 1;
    lastOfDepth.resize(item.Depth + 1);
    lastOfDepth[item.Depth] = static_cast<int>(items.size());
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<TContentsItem> ReadContentsFile(const TBookStore& store, const std::string& file) {
  TDynamicStringArray lines;
  if (!store.BookFileExists(file)) return {};
  try {
    TComprStream stream(store, file);
    std::string line;
    while (ReadBookLine(stream, line)) lines.push_back(line);
  } catch (const EFOpenError&) {
    return {};  // an unreadable contents file gives an empty tree, as a missing one does
  }
  return ParseContentsLines(lines);
}

int NeighbourChapter(const std::vector<TContentsItem>& items, int from, int step) {
  if (from < 0 || from >= static_cast<int>(items.size())) return -1;
  const std::string& page = items[from].Page;
  for (int i = from + step; i >= 0 && i < static_cast<int>(items.size()); i += step)
    if (!items[i].Page.empty() && items[i].Page != page) return i;
  return -1;
}

int FindCaptionItem(const std::vector<TContentsItem>& items, int focused, const std::string& text) {
  const std::string wanted = Cp1251LowerString(text);
  const int count = static_cast<int>(items.size());
  const int start = focused < 0 ? 0 : focused + 1;
  for (int n = 0; n < count; ++n) {
    const int i = (start + n) % count;
    if (Cp1251LowerString(items[i].Caption).find(wanted) != std::string::npos) return i;
  }
  return -1;
}

int ItemOfPage(const std::vector<TContentsItem>& items, const std::string& name) {
  const std::string wanted = Cp1251LowerString(TrimText(name));
  if (wanted.empty()) return -1;
  for (size_t i = 0; i < items.size(); ++i)
    if (Cp1251LowerString(items[i].Page) == wanted) return static_cast<int>(i);
  return -1;
}

}  // namespace shelf
