#include "shell/role_descriptions.h"

#include <iostream>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "store/book_path.h"
#include "store/compr_stream.h"

namespace shelf {

namespace {

void ReportProblems(const TInterfaceDescription& description) {
  for (const auto& problem : description.Problems)
    std::cerr << FormatDescriptionProblem(problem) << "\n";
}

}  // namespace

TDynamicStringArray DescriptionLines(const TBookSession& session, const std::string& name) {
  const std::string file = session.Folders.ProgramDir + name;
  if (!session.Store.BookFileExists(file)) return {};
  try {
    TComprStream stream(session.Store, file);
    return ReadDescriptionLines(stream);
  } catch (const EFOpenError& e) {
    std::cerr << "shelf: " << e.what() << "\n";
    return {};
  }
}

bool ReadBookDescription(const TBookSession& session, TInterfaceDescription& description) {
  const TBookFolders& folders = session.Folders;
  const std::string structFile = folders.ProgramDir + "Struct.txt";
  if (!session.Store.BookFileExists(structFile)) {
    std::cerr << "shelf: this is not a book: " << Cp1251ToUtf8(structFile)
              << " is missing (neither in interface.dat nor on disk)\n";
    return false;
  }
  TDynamicStringArray lines;
  try {
    TComprStream stream(session.Store, structFile);
    lines = ReadDescriptionLines(stream);
  } catch (const EFOpenError& e) {
    std::cerr << "shelf: " << e.what() << "\n";
    return false;
  }
  description.ReadMainKeywords(lines, folders);
  description.ReadSections(lines, folders);
  ReportProblems(description);
  return true;
}

TInterfaceDescription ThesaurusDescription(const TBookSession& session, const std::string& page) {
  TInterfaceDescription description(TDescriptionVocabulary::Thesaurus);
  const TDynamicStringArray lines = DescriptionLines(session, "Tesaurus.txt");
  description.ReadMainKeywords(lines, session.Folders);
  description.ReadSections(lines, session.Folders);
  ReportProblems(description);
  if (description.Screens.empty()) description.Screens.resize(1);
  // The page areas start on the page the lookup asked for, whatever the file names.
  for (RHTML& area : description.PageAreas) area.StartPage = ResolveBookPath(page, session.Folders);
  return description;
}

TInterfaceDescription PlainWindowDescription(const TBookSession& session, const std::string& file) {
  TInterfaceDescription description(TDescriptionVocabulary::PlainWindow);
  description.Screens.resize(1);
  RHTML area;
  area.StartPage = file;
  description.PageAreas = {area};
  description.ReadMainKeywords(DescriptionLines(session, "Struct.txt"), session.Folders);
  return description;
}

}  // namespace shelf
