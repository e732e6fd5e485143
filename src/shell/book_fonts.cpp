#include "shell/book_fonts.h"

#include "book/book_session.h"
#include "platform/font_table.h"
#include "platform/user_folders.h"
#include "store/book_path.h"

namespace shelf {

TBookFonts::TBookFonts(const TBookSession& session)
    : session_(session), pageFonts_(session.FileSystem) {}

TBookFonts::~TBookFonts() {
  RemoveBookFonts();
}

void TBookFonts::AddBookFonts() {
  const TDynamicStringArray fonts =
      FindFiles(session_.FileSystem, session_.Folders.ProgramDir, {"*.ttf"}, false, false);
  for (const std::string& font : fonts) {
    const auto host = session_.FileSystem.ToHost(font);
    const int id = host ? AddFontResource(*host) : -1;
    if (id >= 0) added_.push_back(id);
  }
}

void TBookFonts::RemoveBookFonts() {
  for (const int font : added_) RemoveFontResource(font);
  added_.clear();
}

int TBookFonts::InstallPageFonts() {
  return pageFonts_.InstallFonts(DataHome() / "fonts");
}

}  // namespace shelf
