// bookfind: the reader's search over all pages on the command line. Prints the pages that hold
// every word, best first, as "PAGE<TAB>TITLE" (PAGE as files.idx names it, TITLE in UTF-8).
// Exit status: 0 something found, 1 nothing found, 2 a wrong command line or a book it cannot
// search.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "search/book_search.h"
#include "search/page_list.h"
#include "shelf_version.h"

namespace {

constexpr int kFound = 0;
constexpr int kNothing = 1;
constexpr int kProblem = 2;

constexpr const char* kUsageText =
    "usage: bookfind RUNDIR WORD... [--exact]\n"
    "  --exact   the words only as typed (letter case aside), not in their other forms\n";

int Usage(const std::string& problem) {
  std::fprintf(stderr, "bookfind: %s\n%s", problem.c_str(), kUsageText);
  return kProblem;
}

}  // namespace

int main(int argc, char** argv) {
  if (shelf::AnswerVersion(argc, argv, "bookfind")) return 0;
  bool exact = false;
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--exact") == 0)
      exact = true;
    else if (argv[i][0] == '-' && argv[i][1] == '-')
      return Usage(std::string("unknown option ") + argv[i]);
    else
      words.emplace_back(argv[i]);
  }
  if (words.empty()) return Usage("no run folder given");
  const std::string runFolder = words.front();
  words.erase(words.begin());
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  text = shelf::CleanQuery(shelf::Utf8ToCp1251Lossy(text));
  if (text.empty()) return Usage("no word to find");

  std::string error;
  const auto session = shelf::OpenBookSession(runFolder, error);
  if (!session) {
    std::fprintf(stderr, "bookfind: %s\n", error.c_str());
    return kProblem;
  }
  const shelf::TDynamicStringArray pages =
      shelf::BookScanPages(session->Store, session->FileSystem, session->Folders);
  if (pages.empty() && !session->Store.BookFileExists(session->Folders.ProgramDir + "files.idx")) {
    std::fprintf(stderr, "bookfind: %s is not a book: it has no pages and no word index\n",
                 runFolder.c_str());
    return kProblem;
  }
  shelf::TBookSearch search(session->Store, session->Folders.ProgramDir);
  search.Exact = exact;
  bool unreadable = false;
  search.OnMessage = [&](const std::string& message) {
    // A book without an index is searched page by page; an index that is there but cannot be
    // read is an error.
    if (message == *shelf::Utf8ToCp1251("Индескный(е) файл(ы) не найден")) return;
    std::fprintf(stderr, "bookfind: %s\n", shelf::Cp1251ToUtf8(message).c_str());
    unreadable = true;
  };
  search.ScanPages = [&]() { return unreadable ? nullptr : &pages; };
  const std::vector<shelf::RFoundPage> found = search.Find(text);
  if (unreadable) return kProblem;
  for (const shelf::RFoundPage& page : found)
    std::printf("%s\t%s\n", shelf::Cp1251ToUtf8(page.File).c_str(),
                shelf::Cp1251ToUtf8(page.Title).c_str());
  return found.empty() ? kNothing : kFound;
}
