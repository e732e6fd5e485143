// Fuzzes the compiled-help reader: the input is a help file; its names are listed, each file is
// read within the bound one help file may unpack, and its default page is found, as the help
// window does before it unpacks a topic.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_book.h"
#include "platform/chm_file.h"
#include "platform/help_viewer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace shelf;
  static const TFuzzBook book;
  book.Put("help.chm", std::string_view(reinterpret_cast<const char*>(data), size));
  const auto help = TChmFile::Open(book.Root() / "run" / "help.chm");
  if (!help) return 0;
  std::uint64_t left = HelpUnpackAllowance(help->FileSize());
  for (const std::string& name : help->Files())
    if (const auto bytes = help->Read(name, std::min(left, TChmFile::kMaxEntry)))
      left -= bytes->size();
  help->DefaultPage();
  return 0;
}
