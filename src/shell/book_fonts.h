// The fonts a book brings: the TrueType files of its program folder are added for this run and
// removed at its end; "installfonts" copies those beside the page on show into the reader's
// own font folder, for their other programs too.
#pragma once

#include <string>
#include <vector>

#include "widgets/nav_font.h"

namespace shelf {

struct TBookSession;

class TBookFonts {
 public:
  explicit TBookFonts(const TBookSession& session);
  // Removes what the run added.
  ~TBookFonts();

  // A font that cannot be added is skipped.
  void AddBookFonts();
  void RemoveBookFonts();
  // The page on show changed: its fonts are the ones InstallPageFonts installs.
  void SetPage(const std::string& page) { pageFonts_.SetPage(page); }
  // How many fonts were installed.
  int InstallPageFonts();

 private:
  const TBookSession& session_;
  TNavFont pageFonts_;
  std::vector<int> added_;
};

}  // namespace shelf
