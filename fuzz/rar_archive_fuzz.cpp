// Fuzzes the archive lister: the input is a RAR archive; its headers are read as a listing reads
// them, and the folder pages of what was found are made.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive_listing.h"
#include "archive/rar_archive.h"
#include "fuzz_book.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace shelf;
  static const TFuzzBook book;
  book.Put("x.rar", std::string_view(reinterpret_cast<const char*>(data), size));
  TRarArchive rar;
  if (rar.Open(book.Root() / "run" / "x.rar") != kRarSuccess) return 0;
  TListDir dirs{{"", "", 0}};
  std::vector<RListFiles> files;
  RRarHeader header;
  while (rar.ReadHeader(header) == kRarSuccess) {
    if (header.Folder)
      dirs.push_back({header.Name, "", header.FileTime});
    else
      files.push_back({header.Name, header.UnpSize, header.FileTime});
    if (rar.ProcessFile(false) != kRarSuccess) break;
  }
  for (const RInfoFiles& page : BuildFolderPages(dirs, files, "1"))
    FolderPage(ListingTitle("x.rar"), page);
  return 0;
}
