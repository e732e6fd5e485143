// Builds the sample book's tree from its readable sources: texts are converted from UTF-8 to
// Windows-1251, the pictures, the busy animation, the pages' illustrations, the dialog's pages,
// the sounds and the files pages hand out are made.
// Usage: samplegen SOURCE BOOK STAGE
#include <QGuiApplication>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "archives.h"
#include "attachments.h"
#include "book_icon.h"
#include "click_sounds.h"
#include "dialog_art.h"
#include "media_files.h"
#include "page_pictures.h"
#include "picture_files.h"
#include "pictures.h"
#include "piston_gif.h"
#include "platform/cp1251.h"
#include "popup_pictures.h"
#include "slide_photos.h"
#include "wiring_scheme.h"

namespace fs = std::filesystem;

namespace {

bool IsText(const fs::path& path) {
  const auto ext = shelf::AsciiLower(path.extension().string());
  return ext == ".txt" || ext == ".htm" || ext == ".html" || ext == ".css";
}

// Book text files are Windows files: CR LF line ends (the line readers end lines at CR).
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 20);
  for (char c : text) {
    if (c == '\n') out += '\r';
    if (c != '\r') out += c;
  }
  return out;
}

// Copies `from` into `to`, converting texts to Windows-1251 with CR LF line ends.
bool CopyTree(const fs::path& from, const fs::path& to) {
  for (const auto& entry : fs::recursive_directory_iterator(from)) {
    if (!entry.is_regular_file()) continue;
    const fs::path target = to / fs::relative(entry.path(), from);
    fs::create_directories(target.parent_path());
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string content = bytes.str();
    if (IsText(entry.path())) {
      const auto converted = shelf::Utf8ToCp1251(content);
      if (!converted) {
        std::cerr << "samplegen: " << entry.path() << " has text that Windows-1251 cannot hold\n";
        return false;
      }
      content = WithCrLf(*converted);
    }
    std::ofstream(target, std::ios::binary) << content;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::cerr << "usage: samplegen SOURCE BOOK STAGE\n";
    return 2;
  }
  const fs::path source = argv[1], book = argv[2], stage = argv[3];
  if (!CopyTree(source / "packed", stage) || !CopyTree(source / "loose", book)) return 1;

  std::vector<shelf::samplegen::TBookFile> files = shelf::samplegen::DrawPictures();
  for (auto& sound : shelf::samplegen::ClickSounds()) files.push_back(std::move(sound));
  files.push_back(
      {"run/book.ico", false, shelf::samplegen::Encoded(shelf::samplegen::BookIcon(48), "ico")});
  for (auto& picture : shelf::samplegen::DialogPictures()) files.push_back(std::move(picture));
  for (auto& picture : shelf::samplegen::PopupPictures()) files.push_back(std::move(picture));
  for (auto& picture : shelf::samplegen::AboutPictures()) files.push_back(std::move(picture));
  for (auto& photo : shelf::samplegen::SlidePhotos()) files.push_back(std::move(photo));
  QString error;
  const QByteArray piston = shelf::samplegen::PistonGif(error);
  if (piston.isEmpty()) {
    std::cerr << "samplegen: cannot encode piston.gif: " << error.toStdString() << "\n";
    return 1;
  }
  files.push_back({"run/piston.gif", false, piston});
  std::vector<shelf::samplegen::TBookFile> pagePictures = shelf::samplegen::PagePictures(error);
  if (pagePictures.empty()) {
    std::cerr << "samplegen: cannot make the page pictures: " << error.toStdString() << "\n";
    return 1;
  }
  for (auto& picture : pagePictures) files.push_back(std::move(picture));
  files.push_back({"run/pic/wiring_scheme.gif", false, shelf::samplegen::WiringSchemeGif(error)});
  std::vector<shelf::samplegen::TBookFile> attachments = shelf::samplegen::Attachments(error);
  if (attachments.empty()) {
    std::cerr << "samplegen: cannot make the attached files: " << error.toStdString() << "\n";
    return 1;
  }
  for (auto& file : attachments) files.push_back(std::move(file));
  for (auto& archive : shelf::samplegen::SampleArchives()) files.push_back(std::move(archive));
  std::vector<shelf::samplegen::TBookFile> media = shelf::samplegen::MediaFiles(error);
  if (media.empty()) {
    std::cerr << "samplegen: cannot make the media: " << error.toStdString() << "\n";
    return 1;
  }
  for (auto& file : media) files.push_back(std::move(file));

  for (const auto& file : files) {
    if (file.Bytes.isEmpty()) {
      std::cerr << "samplegen: cannot make " << file.Name.toStdString() << "\n";
      return 1;
    }
    const fs::path target = (file.Loose ? book : stage) / file.Name.toStdString();
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(file.Bytes.constData(), file.Bytes.size());
    if (!out) {
      std::cerr << "samplegen: cannot write " << target << "\n";
      return 1;
    }
  }
  return 0;
}
