// The folders the program works with, in the DOS form the book files use ("d:\book\run\"),
// each ending in '\'. Filled once at start-up and passed by reference.
#pragma once

#include <string>

namespace shelf {

struct TBookFolders {
  std::string ProgramDir;  // the book's run folder
  std::string BookRoot;    // ProgramDir without its first "run\" (the book's top folder)
  std::string CdRoot;      // drive of ProgramDir, lower-cased, with '\' ("d:\")
  std::string SystemDir;
  std::string WindowsDir;
  std::string TempDir;
};

}  // namespace shelf

namespace shelf {

// BookRoot is ProgramDir without the first "run\" (any case); CdRoot is its drive, lower-cased.
std::string BookRootOf(const std::string& programDir);
std::string CdRootOf(const std::string& programDir);

}  // namespace shelf
