#include "book/thesaurus_entries.h"

#include "store/book_store.h"
#include "store/book_text.h"
#include "store/compr_stream.h"

namespace shelf {

TThesaurusRead ReadThesaurusEntries(
    const TBookStore& store, const std::string& indexFile,
    const std::function<bool(const std::string& term, const std::string& page)>& entry) {
  if (!store.BookFileExists(indexFile)) return TThesaurusRead::Missing;
  try {
    TComprStream stream(store, indexFile);
    std::string line;
    for (;;) {
      const bool more = ReadIndexLine(stream, line);
      const MyArray parts = SplitText("~", line);
      const bool paged = parts.size() >= 2;
      if (entry(paged ? TrimText(parts[0]) : std::string(), paged ? TrimText(parts[1]) : ""))
        return TThesaurusRead::Read;
      if (!more) return TThesaurusRead::Read;
    }
  } catch (const std::exception&) {
    return TThesaurusRead::Unreadable;
  }
}

}  // namespace shelf
