// Fuzzes the readers of a book's text files: the input is written as each of them at once (the
// word index keywords.idx, index.idx and files.idx, the thesaurus index tezaurus.idx, the
// thesaurus window's Tesaurus.txt and the about box's About.txt) and each is read as the
// program reads it: a word of the input is looked up in both indexes, and the descriptions are
// parsed with every problem formatted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "book/interface_description.h"
#include "dialogs/about_description.h"
#include "dialogs/dialog_description.h"
#include "fuzz_book.h"
#include "search/make_find.h"
#include "search/make_tesaurus_find.h"
#include "store/compr_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace shelf;
  static const TFuzzBook book;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const char* name :
       {"keywords.idx", "index.idx", "files.idx", "tezaurus.idx", "Tesaurus.txt", "About.txt"})
    book.Put(name, input);
  const TBookSession& session = book.Session();
  const std::string word(input.substr(0, input.find_first_of("\r\n~ ")));

  TMakeFind index(session.Store);
  index.SetIndexFolder(session.Folders.ProgramDir);
  TDynamicStringArray files, titles;
  index.SearchIndex(word, files, titles, false);
  std::string title;
  if (!files.empty()) index.PageTitle(files.front(), title);

  TMakeTesaurusFind thesaurus(session.Store);
  thesaurus.SetIndexFolder(session.Folders.ProgramDir);
  std::string page;
  thesaurus.ThesaurusStartPage(page);
  thesaurus.LookUp(word, page);

  TComprStream tesaurus(session.Store, session.Folders.ProgramDir + "Tesaurus.txt");
  TInterfaceDescription description(TDescriptionVocabulary::Thesaurus);
  const TDynamicStringArray lines = ReadDescriptionLines(tesaurus);
  description.ReadMainKeywords(lines, session.Folders);
  description.ReadSections(lines, session.Folders);
  for (const auto& problem : description.Problems) FormatDescriptionProblem(problem);

  TComprStream about(session.Store, session.Folders.ProgramDir + "About.txt");
  TAboutDescription box;
  box.Read(ReadDialogLines(about), session.Folders);
  for (const auto& problem : box.Problems) FormatDescriptionProblem(problem);
  for (const RAboutText& text : box.Texts) AboutLink(text.Value);
  return 0;
}
