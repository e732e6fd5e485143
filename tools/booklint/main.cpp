// booklint: reads a book's Struct.txt and, when the book has one, its Dialog.txt the way the
// program does (container first, loose file second) and lists every fault as
// "Struct.txt:LINE: message"; exit 1 when there is any. Layout mistakes the program shows as
// written (a clip window over a page) are listed as warnings and do not fail the book.
#include <cstdio>
#include <string>

#include "book/book_session.h"
#include "book/interface_description.h"
#include "book/layout_warnings.h"
#include "dialogs/dialog_description.h"
#include "shelf_version.h"
#include "store/compr_stream.h"

namespace {

constexpr int kFaulty = 1;
constexpr int kUsage = 2;

int Fail(const std::string& message) {
  std::fprintf(stderr, "booklint: %s\n", message.c_str());
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (shelf::AnswerVersion(argc, argv, "booklint")) return 0;
  if (argc != 2) return Fail("usage: booklint RUNDIR");
  std::string error;
  const auto session = shelf::OpenBookSession(argv[1], error);
  if (!session) return Fail(error);

  const std::string structFile = session->Folders.ProgramDir + "Struct.txt";
  if (!session->Store.BookFileExists(structFile)) return Fail("the book has no Struct.txt");
  shelf::TDynamicStringArray lines;
  try {
    shelf::TComprStream stream(session->Store, structFile);
    lines = shelf::ReadDescriptionLines(stream);
  } catch (const shelf::EFOpenError& e) {
    return Fail(e.what());
  }

  shelf::TInterfaceDescription description;
  description.ReadMainKeywords(lines, session->Folders);
  description.ReadSections(lines, session->Folders);
  std::vector<shelf::RDescriptionProblem> problems = description.Problems;

  const std::string dialogFile = session->Folders.ProgramDir + "Dialog.txt";
  if (session->Store.BookFileExists(dialogFile)) {
    shelf::TDialogDescription dialog;
    try {
      shelf::TComprStream stream(session->Store, dialogFile);
      dialog.Read(shelf::ReadDialogLines(stream), session->Folders);
    } catch (const shelf::EFOpenError& e) {
      return Fail(e.what());
    }
    problems.insert(problems.end(), dialog.Problems.begin(), dialog.Problems.end());
  }
  for (const auto& problem : problems)
    std::printf("%s\n", shelf::FormatDescriptionProblem(problem).c_str());
  for (const auto& warning : shelf::LayoutWarnings(description))
    std::printf("%s\n", shelf::FormatDescriptionProblem(warning).c_str());
  return problems.empty() ? 0 : kFaulty;
}
