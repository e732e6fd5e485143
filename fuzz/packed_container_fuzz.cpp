// Fuzzes the container reader: the input is a whole "interface.dat"; every file it lists is
// read (and inflated) and a few names are looked up.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_book.h"
#include "store/packed_container.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace shelf;
  static const TFuzzBook book;
  book.Put("interface.dat", std::string_view(reinterpret_cast<const char*>(data), size));
  TPackedContainer container;
  std::string error;
  if (!container.OpenPackedContainer(book.Root() / "run" / "interface.dat", error)) return 0;
  container.SetPackedPrefix("c:\\book\\");
  std::string bytes;
  container.WalkPackedTree([&](std::string_view path, int index) {
    container.ReadPackedEntry(index, bytes);
    container.ResolvePackedPath(path);
  });
  for (const char* name : {"run\\struct.txt", "c:\\book\\run\\welcome.htm", "..\\x", ""})
    container.ReadPackedEntry(container.ResolvePackedPath(name), bytes);
  container.ListPackedFiles();
  return 0;
}
