// Fuzzes the description parsers: the input is a Struct.txt, read through a book stream and
// checked with the rules booklint applies (both passes, every problem formatted), and the same
// lines read as the drawn dialog's Dialog.txt.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "book/interface_description.h"
#include "dialogs/dialog_description.h"
#include "fuzz_book.h"
#include "store/compr_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace shelf;
  static const TFuzzBook book;
  const std::string file =
      book.Put("Struct.txt", std::string_view(reinterpret_cast<const char*>(data), size));
  TComprStream stream(book.Session().Store, file);
  const TDynamicStringArray lines = ReadDescriptionLines(stream);
  TInterfaceDescription description;
  description.ReadMainKeywords(lines, book.Session().Folders);
  description.ReadSections(lines, book.Session().Folders);
  for (const auto& problem : description.Problems) FormatDescriptionProblem(problem);
  TDialogDescription dialog;
  dialog.Read(lines, book.Session().Folders);
  TComprStream title(book.Session().Store, file);
  ReadTitle(title);
  return 0;
}
