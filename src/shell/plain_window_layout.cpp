#include "shell/plain_window_layout.h"

#include "platform/cp1251.h"

namespace shelf {

namespace {

constexpr QSize kSchemeSize(780, 550);
constexpr QSize kPictureMargin(45, 90);
constexpr QPoint kPlainWindowAt(40, 30);
constexpr std::size_t kCaptionLength = 80;

std::string FileNameOf(const std::string& path) {
  const std::string file = path.substr(0, path.find('#'));
  const std::size_t slash = file.find_last_of("\\/");
  return slash == std::string::npos ? file : file.substr(slash + 1);
}

std::string Caption(const std::vector<std::string>& files, const std::vector<std::string>& titles,
                    int i) {
  const bool titled = i < static_cast<int>(titles.size()) && !titles[i].empty();
  const std::string caption = titled ? titles[i] + "--" + files[i] : files[i];
  return caption.substr(0, kCaptionLength);
}

}  // namespace

QSize PlainWindowSize(const std::string& argument, QSize current, QSize picture) {
  const std::string name = AsciiLower(FileNameOf(argument));
  if (name == "scheme.bmp" || name == "scheme_lux.bmp") return kSchemeSize;
  const std::size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  if ((extension == ".bmp" || extension == ".gif" || extension == ".jpg" || extension == ".jpeg") &&
      !picture.isEmpty())
    return picture + kPictureMargin;
  return current;
}

QPoint PlainWindowPosition(QSize frame, const QRect& workArea) {
  QPoint at = kPlainWindowAt;
  if (at.x() + frame.width() > workArea.width()) at.setX(0);
  if (at.y() + frame.height() > workArea.height()) at.setY(0);
  return at;
}

THistoryMenus HistoryMenus(const std::vector<std::string>& files,
                           const std::vector<std::string>& titles, int current) {
  THistoryMenus menus;
  int back = 0, forward = 0;
  for (int i = 0; i < static_cast<int>(files.size()); ++i) {
    if (i > current && i <= current + THistoryMenus::kItems)
      menus.Back[back++] = {true, i, Caption(files, titles, i)};
    else if (i >= current - THistoryMenus::kItems && i < current)
      menus.Forward[THistoryMenus::kItems - 1 - forward++] = {true, i, Caption(files, titles, i)};
  }
  return menus;
}

}  // namespace shelf
