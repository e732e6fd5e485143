// The "installfonts" command: copies the TrueType files that lie next to the page shown last
// into the reader's own font folder, so that the reader's other programs can use them too.
#pragma once

#include <filesystem>
#include <string>

namespace shelf {

class TDosFileSystem;

class TNavFont {
 public:
  explicit TNavFont(const TDosFileSystem& fileSystem) : fileSystem_(fileSystem) {}

  // Each page shown: its folder (up to the last backslash) is where fonts are looked for.
  void SetPage(const std::string& pageAddress);
  // Copies every "*.ttf" of that folder into `fontFolder` (made when missing), replacing files
  // of the same name, adds each copy to this program and refreshes fontconfig's cache of the
  // folder. A full disk stops the loop. Returns how many fonts were copied.
  int InstallFonts(const std::filesystem::path& fontFolder);

 private:
  const TDosFileSystem& fileSystem_;
  std::string fontFolder_;  // with its trailing backslash; empty until a page was shown
};

}  // namespace shelf
