#include "thesaurus_index.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace shelf::samplegen {
namespace fs = std::filesystem;

QByteArray ThesaurusIndex(const fs::path& run) {
  std::vector<fs::path> pages;
  for (const auto& entry : fs::directory_iterator(run)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("tesaurus", 0) == 0 && entry.path().extension() == ".htm")
      pages.push_back(entry.path());
  }
  std::sort(pages.begin(), pages.end());
  QByteArray index;
  const std::string open = "<a name=\"", marker = "\">~ ", close = "</a>";
  for (const fs::path& page : pages) {
    std::ifstream in(page, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
      const std::size_t anchorEnd = text.find(marker, at + open.size());
      const std::size_t quote = text.find('"', at + open.size());
      if (anchorEnd == std::string::npos || quote != anchorEnd) continue;  // not an entry
      const std::size_t termEnd = text.find(close, anchorEnd);
      if (termEnd == std::string::npos) break;
      const std::string anchor = text.substr(at + open.size(), anchorEnd - at - open.size());
      const std::size_t termStart = anchorEnd + marker.size();
      const std::string term = text.substr(termStart, termEnd - termStart);
      index +=
          QByteArray::fromStdString(term + "~" + page.filename().string() + "#" + anchor + "\r\n");
    }
  }
  return index;
}

}  // namespace shelf::samplegen
