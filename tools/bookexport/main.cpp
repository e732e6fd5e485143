// bookexport: writes a book as an EPUB 3 file that any e-reader opens. The book is named as
// Shelf takes it (its top or run folder, a disc image, any file inside it); the pages go in
// in the contents tree's order, then the pages they lead to, with the contents as navigation.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "book/book_session.h"
#include "export/book_export.h"
#include "shelf_version.h"
#include "shell/book_discovery.h"

namespace {

constexpr int kSkipped = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "usage: bookexport BOOK OUT.epub [--with-media] [--quiet]\n"
    "  BOOK           the book's folder, its run folder, a disc image or a file of the book\n"
    "  --with-media   keep MP3 sounds as audio in the EPUB (otherwise noted where they were)\n"
    "  --quiet        print nothing but problems\n";

int Usage(const std::string& problem) {
  std::fprintf(stderr, "bookexport: %s\n%s", problem.c_str(), kUsageText);
  return kUsage;
}

// The time the EPUB states as its modification: SOURCE_DATE_EPOCH for reproducible files.
std::time_t ModifiedTime() {
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (*end == '\0' && seconds >= 315532800) return static_cast<std::time_t>(seconds);
  }
  return std::time(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (shelf::AnswerVersion(argc, argv, "bookexport")) return 0;
  std::vector<std::string> paths;
  shelf::RExportOptions options;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--with-media")
      options.WithMedia = true;
    else if (arg == "--quiet")
      quiet = true;
    else if (arg.starts_with("--"))
      return Usage("unknown option " + arg);
    else
      paths.push_back(arg);
  }
  if (paths.size() != 2)
    return Usage(paths.size() < 2 ? "a book and an output file are needed"
                                  : "unexpected argument " + paths[2]);
  options.Modified = ModifiedTime();

  std::string error;
  const shelf::TBookDiscovery discovery(shelf::DiscImageCache());
  const auto found = discovery.Find(paths[0], error);
  const auto session = found ? shelf::OpenBookSession(found->Location, error) : nullptr;
  if (!session) {
    std::fprintf(stderr, "bookexport: %s\n", error.c_str());
    return kUsage;
  }

  shelf::TBookExport exporter(*session, options);
  const bool terminal = !quiet && isatty(STDERR_FILENO);
  if (terminal)
    exporter.OnProgress = [](int done, int total) {
      std::fprintf(stderr, "\rbookexport: page %d of %d", done, total);
      if (done == total) std::fputs("\r\033[K", stderr);
    };
  shelf::RExportReport report;
  if (!exporter.Write(paths[1], report, error)) {
    if (terminal) std::fputs("\r\033[K", stderr);
    std::fprintf(stderr, "bookexport: %s\n", error.c_str());
    return kUsage;
  }
  for (const std::string& skipped : report.Skipped)
    std::fprintf(stderr, "bookexport: skipped %s\n", skipped.c_str());
  if (!quiet) {
    for (const std::string& missing : report.Missing)
      std::fprintf(stderr, "bookexport: the book names %s but does not have it\n", missing.c_str());
    std::printf(
        "bookexport: %s: %d pages, %d pictures, %d sounds, %d links and media noted as "
        "left out, %zu files missing from the book, %zu skipped\n",
        paths[1].c_str(), report.Pages, report.Pictures, report.Sounds, report.Notes,
        report.Missing.size(), report.Skipped.size());
  }
  return report.Skipped.empty() ? 0 : kSkipped;
}
