#include "store/book_folders.h"

#include "platform/cp1251.h"

namespace shelf {

std::string BookRootOf(const std::string& programDir) {
  const auto at = AsciiLower(programDir).find("run\\");
  if (at == std::string::npos) return programDir;
  return programDir.substr(0, at) + programDir.substr(at + 4);
}

std::string CdRootOf(const std::string& programDir) {
  if (programDir.size() < 2 || programDir[1] != ':') return "\\";
  return AsciiLower(programDir.substr(0, 2)) + "\\";
}

}  // namespace shelf
