#include "platform/host_folder_names.h"

#include <QDir>

#include "platform/cp1251.h"
#include "platform/dos_path.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

bool IsDriveLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "c:", "c:\..." or "c:/...".
bool IsDosPath(std::string_view text) {
  return text.size() >= 2 && IsDriveLetter(text[0]) && text[1] == ':' &&
         (text.size() == 2 || text[2] == '\\' || text[2] == '/');
}

char LowerDrive(char c) {
  return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

fs::path HomeFolder() {
  return fs::path(QDir::homePath().toStdString());
}

QString WithSlash(const fs::path& folder) {
  QString text = QString::fromStdString(folder.string());
  if (!text.endsWith('/')) text += '/';
  return text;
}

}  // namespace

THostFolderNames::THostFolderNames(const TDosFileSystem& fileSystem, std::string_view cdRoot)
    : fileSystem_(fileSystem), bookDrive_(cdRoot.empty() ? 0 : LowerDrive(cdRoot[0])) {}

std::optional<fs::path> THostFolderNames::FromDos(std::string_view dos) const {
  const bool bareRoot = dos.size() <= 3;
  // A disc's default such as "c:\" meant "somewhere the reader can write": here that is home.
  if (bareRoot && LowerDrive(dos[0]) != bookDrive_) return HomeFolder();
  return fileSystem_.ToHost(dos);
}

QString THostFolderNames::Shown(std::string_view stored) const {
  if (!IsDosPath(stored)) return ToQString(std::string(stored));
  const auto host = FromDos(stored);
  return host ? WithSlash(*host) : ToQString(std::string(stored));
}

std::optional<fs::path> THostFolderNames::Folder(const QString& text) const {
  const QString trimmed = text.trimmed();
  if (trimmed == "~") return HomeFolder();
  if (trimmed.startsWith("~/")) return HomeFolder() / trimmed.mid(2).toStdString();
  const std::string utf8 = trimmed.toStdString();
  if (IsDosPath(utf8)) {
    const auto dos = Utf8ToCp1251(utf8);
    return dos ? FromDos(*dos) : std::nullopt;
  }
  if (!trimmed.startsWith('/')) return std::nullopt;
  return fs::path(utf8);
}

}  // namespace shelf
