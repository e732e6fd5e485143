// bookindex: writes a book's word index (keywords.idx, index.idx, files.idx, stems.idx) into its
// run folder, and its thesaurus index (tezaurus.idx) when the book has thesaurus pages. The pages
// are the book's files under the run folder whose extension holds ".htm", read the way the
// program reads them (container first, loose file second), in name order without regard to case.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "search/thesaurus_index_builder.h"
#include "search/word_index_builder.h"
#include "shelf_version.h"
#include "store/book_path.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "usage: bookindex RUNDIR [--leave-out WORD]...\n"
    "  --leave-out WORD   keep WORD (UTF-8, any case) out of the word index: a search for it\n"
    "                     then scans the pages\n";

int Usage(const std::string& problem) {
  std::fprintf(stderr, "bookindex: %s\n%s", problem.c_str(), kUsageText);
  return kUsage;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "bookindex: %s\n", message.c_str());
  return kFailed;
}

bool IsPage(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot != std::string::npos && name.find('\\', dot) == std::string::npos &&
         shelf::AsciiLower(name.substr(dot)).find(".htm") != std::string::npos;
}

// The folders of the book's top folder that hold no pages of the book.
bool InOtherFolder(const std::string& bookRelative) {
  const std::string lower = shelf::AsciiLower(bookRelative);
  return lower.starts_with("man\\") || lower.starts_with("man_\\");
}

// Pages relative to the program folder, keyed by their name in small letters.
std::map<std::string, std::string> BookPages(const shelf::TBookSession& session) {
  const std::string& programDir = session.Folders.ProgramDir;
  std::map<std::string, std::string> pages;
  const auto add = [&](const std::string& full) {
    if (full.size() <= programDir.size() ||
        shelf::Cp1251LowerString(full.substr(0, programDir.size())) !=
            shelf::Cp1251LowerString(programDir) ||
        !IsPage(full))
      return;
    const std::string relative = full.substr(programDir.size());
    pages.emplace(shelf::Cp1251LowerString(relative), relative);
  };
  for (const std::string& entry : session.Store.ListPackedFiles())
    if (!InOtherFolder(entry)) add(session.Folders.BookRoot + entry);
  for (const std::string& file :
       shelf::FindFiles(session.FileSystem, programDir, {"*.htm*"}, true, false))
    add(file);
  return pages;
}

bool Write(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (shelf::AnswerVersion(argc, argv, "bookindex")) return 0;
  if (argc < 2) return Usage("no run folder given");
  shelf::TWordIndexBuilder words;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--leave-out") != 0 || i + 1 == argc)
      return Usage(std::string("unexpected argument ") + argv[i]);
    words.LeaveOut(shelf::Utf8ToCp1251Lossy(argv[++i]));
  }
  std::string error;
  const auto session = shelf::OpenBookSession(argv[1], error);
  if (!session) return Fail(error);
  const auto runFolder = session->FileSystem.ToHost(session->Folders.ProgramDir);
  if (!runFolder) return Fail("the run folder has no host path");

  shelf::TThesaurusIndexBuilder thesaurus;
  for (const auto& [key, page] : BookPages(*session)) {
    std::string bytes;
    if (!session->Store.ReadBookFile(session->Folders.ProgramDir + page, bytes))
      return Fail("cannot read " + shelf::Cp1251ToUtf8(page));
    words.AddPage(page, bytes);
    thesaurus.AddPage(page, bytes);
  }
  if (words.PageCount() == 0) return Fail("the book has no pages under its run folder");

  std::vector<std::pair<std::string, std::string>> outputs = {
      {"keywords.idx", words.KeywordsFile()},
      {"index.idx", words.NumbersFile()},
      {"files.idx", words.FilesFile()},
      {"stems.idx", words.StemsFile()}};
  if (!thesaurus.Empty()) outputs.emplace_back("tezaurus.idx", thesaurus.IndexFile());
  for (const auto& [name, bytes] : outputs) {
    if (!Write(*runFolder / name, bytes))
      return Fail("cannot write " + (*runFolder / name).string());
    // The program reads a file the container holds before the loose one.
    for (const std::string& entry : session->Store.ListPackedFiles())
      if (shelf::Cp1251LowerString(session->Folders.BookRoot + entry) ==
          shelf::Cp1251LowerString(session->Folders.ProgramDir + name))
        std::fprintf(stderr, "bookindex: warning: the container's %s is read before this one\n",
                     name.c_str());
  }
  std::printf("bookindex: %zu pages, %zu keywords, %zu thesaurus entries\n", words.PageCount(),
              words.KeywordCount(), thesaurus.EntryCount());
  return 0;
}
