#include "store/book_file_copy.h"

#include <fstream>

#include "store/compr_stream.h"

namespace shelf {

bool CopyBookFile(const TBookStore& store, std::string_view dosFrom,
                  const std::filesystem::path& to) {
  try {
    const TComprStream bytes(store, dosFrom);
    std::error_code ec;
    std::filesystem::create_directories(to.parent_path(), ec);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out.write(bytes.Bytes().data(), static_cast<std::streamsize>(bytes.Size()));
    out.close();
    return static_cast<bool>(out);
  } catch (const EFOpenError&) {
    return false;
  }
}

}  // namespace shelf
