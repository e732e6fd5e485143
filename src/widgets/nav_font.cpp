#include "widgets/nav_font.h"

#include <QProcess>
#include <cerrno>
#include <system_error>

#include "platform/dos_path.h"
#include "platform/font_table.h"
#include "store/book_path.h"

namespace shelf {

void TNavFont::SetPage(const std::string& pageAddress) {
  const size_t slash = pageAddress.rfind('\\');
  fontFolder_ = slash == std::string::npos ? std::string() : pageAddress.substr(0, slash + 1);
}

int TNavFont::InstallFonts(const std::filesystem::path& fontFolder) {
  namespace fs = std::filesystem;
  int installed = 0;
  const TDynamicStringArray fonts =
      fontFolder_.empty() ? TDynamicStringArray()
                          : FindFiles(fileSystem_, fontFolder_, {"*.ttf"}, false, false);
  std::error_code error;
  fs::create_directories(fontFolder, error);
  for (const std::string& font : fonts) {
    const auto source = fileSystem_.ToHost(font);
    if (!source) continue;
    const fs::path copy = fontFolder / source->filename();
    error.clear();
    fs::copy_file(*source, copy, fs::copy_options::overwrite_existing, error);
    if (error == std::errc::no_space_on_device) break;  // the fonts copied so far stay
    if (!error) ++installed;
    AddFontResource(copy);  // also for a copy that failed otherwise, as the old one may serve
  }
  // Other programs find the new fonts once fontconfig knows them.
  QProcess::execute("fc-cache", {QString::fromStdString(fontFolder.string())});
  return installed;
}

}  // namespace shelf
