#include "shell/thesaurus_lookup.h"

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "platform/shell_open.h"
#include "search/make_tesaurus_find.h"
#include "store/book_folders.h"
#include "store/book_store.h"
#include "store/book_text.h"

namespace shelf {

TThesaurusLookup::TResult TThesaurusLookup::LookUpThesaurus(std::string_view word) {
  TMakeTesaurusFind index(store_);
  index.OnWarning = OnWarning;
  index.SetIndexFolder(folders_.ProgramDir);
  std::string target;
  if (!index.LookUp(TrimText(word), target)) return TResult::NotFound;
  page_ = folders_.ProgramDir + target;
  if (HandOver && HandOver(page_)) return TResult::HandedOver;
  if (!store_.BookFileExists(page_.substr(0, page_.find('#')))) return TResult::NoPage;
  // The new copy serves the same book; its own command line is the page and " /t".
  const auto book = fileSystem_.ToHost(folders_.ProgramDir);
  if (!book || !desktop_.StartOwnCopy({"--book", book->string(), Cp1251ToUtf8(page_), "/t"}))
    return TResult::StartFailed;
  return TResult::Started;
}

}  // namespace shelf
