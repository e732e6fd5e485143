#include "platform/disc_image.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArrayView>
#include <vector>

#include "platform/cp1251.h"
#include "platform/utf8_names.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

using TArchivePtr = std::unique_ptr<archive, int (*)(archive*)>;

TArchivePtr OpenImage(const fs::path& image, std::string& error) {
  TArchivePtr reader(archive_read_new(), &archive_read_free);
  archive_read_support_format_iso9660(reader.get());
  if (archive_read_open_filename(reader.get(), image.c_str(), 65536) != ARCHIVE_OK) {
    error = archive_error_string(reader.get()) ? archive_error_string(reader.get()) : "unreadable";
    return TArchivePtr(nullptr, &archive_read_free);
  }
  return reader;
}

// The entry's path under the image root with UTF-8 names. Joliet names arrive as UTF-8 (see
// TUtf8Names); Rock Ridge and plain ISO 9660 names are the bytes the disc was written with,
// which on the discs these books come on are Windows-1251 when they are not UTF-8.
fs::path DecodedPath(archive_entry* entry) {
  const char* raw = archive_entry_pathname(entry);
  if (raw == nullptr) raw = archive_entry_pathname_utf8(entry);
  if (raw == nullptr) return {};
  std::string name(raw);
  if (!QByteArrayView(name).isValidUtf8()) name = Cp1251ToUtf8(name);
  fs::path relative;
  for (const auto& part : fs::path(name)) {
    if (part.empty() || part == "." || part == ".." || part == "/") continue;
    relative /= part;
  }
  return relative;
}

}  // namespace

std::unique_ptr<TDiscImage> TDiscImage::Open(const fs::path& image, const fs::path& cacheFolder,
                                             std::string& error) {
  TUtf8Names utf8;
  auto reader = OpenImage(image, error);
  if (!reader) {
    error = "cannot read the disc image " + image.string() + ": " + error;
    return nullptr;
  }
  std::unique_ptr<TDiscImage> disc(new TDiscImage(image, cacheFolder / "disc"));
  std::error_code ec;
  fs::create_directories(disc->root_, ec);
  archive_entry* entry = nullptr;
  int status = ARCHIVE_OK;
  while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK ||
         status == ARCHIVE_WARN) {
    const fs::path relative = DecodedPath(entry);
    const auto type = archive_entry_filetype(entry);
    if (relative.empty() || (type != AE_IFDIR && type != AE_IFREG)) continue;
    // Parents first, so that a file listed before its folder still has one.
    fs::path folder;
    for (const auto& part : relative.parent_path()) {
      folder /= part;
      disc->entries_.emplace(disc->KeyOf(disc->root_ / folder), REntry{folder, true});
    }
    disc->entries_[disc->KeyOf(disc->root_ / relative)] = REntry{relative, type == AE_IFDIR};
  }
  if (status != ARCHIVE_EOF || disc->entries_.empty()) {
    error = "cannot read the disc image " + image.string() + ": " +
            (status != ARCHIVE_EOF && archive_error_string(reader.get())
                 ? archive_error_string(reader.get())
                 : "it holds no files");
    return nullptr;
  }
  for (const auto& [key, item] : disc->entries_)
    fs::create_directories(
        disc->root_ / (item.IsFolder ? item.Relative : item.Relative.parent_path()), ec);
  if (ec) {
    error = "cannot lay out the disc image in " + cacheFolder.string() + ": " + ec.message();
    return nullptr;
  }
  return disc;
}

std::string TDiscImage::KeyOf(const fs::path& hostPath) const {
  std::string key;
  for (const auto& part : hostPath.lexically_normal().lexically_relative(root_)) {
    if (part.empty() || part == ".") continue;
    if (!key.empty()) key += '/';
    key += Cp1251LowerString(Utf8ToCp1251Lossy(part.string()));
  }
  return key;
}

std::optional<std::string> TDiscImage::FindEntry(const fs::path& folder,
                                                 std::string_view cp1251Name) const {
  std::string key = KeyOf(folder);
  if (!key.empty()) key += '/';
  key += Cp1251LowerString(cp1251Name);
  const auto found = entries_.find(key);
  if (found == entries_.end()) return std::nullopt;
  return found->second.Relative.filename().string();
}

bool TDiscImage::Materialize(const fs::path& hostPath) const {
  const std::string key = KeyOf(hostPath);
  const auto found = entries_.find(key);
  if (found == entries_.end() && !key.empty()) return true;
  std::map<std::string, const REntry*> wanted;
  std::error_code ec;
  const auto want = [&](const std::string& entryKey, const REntry& entry) {
    if (!entry.IsFolder && !fs::exists(root_ / entry.Relative, ec)) wanted[entryKey] = &entry;
  };
  if (found != entries_.end() && !found->second.IsFolder) {
    want(key, found->second);
  } else {
    // The folder's own files: keys one name longer than the folder's.
    const std::string prefix = key.empty() ? "" : key + '/';
    for (auto it = entries_.lower_bound(prefix); it != entries_.end(); ++it) {
      if (it->first.compare(0, prefix.size(), prefix) != 0) break;
      if (it->first.find('/', prefix.size()) == std::string::npos) want(it->first, it->second);
    }
  }
  return wanted.empty() || CopyOut(wanted);
}

// One pass over the image copies the wanted files; each goes to a temporary name first and is
// renamed when whole, so a copy cut short (or made by another running copy) is never half read.
bool TDiscImage::CopyOut(const std::map<std::string, const REntry*>& wanted) const {
  TUtf8Names utf8;
  std::string error;
  auto reader = OpenImage(image_, error);
  if (!reader) return false;
  size_t left = wanted.size();
  archive_entry* entry = nullptr;
  int status = ARCHIVE_OK;
  while (left > 0 && ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK ||
                      status == ARCHIVE_WARN)) {
    const auto it = wanted.find(KeyOf(root_ / DecodedPath(entry)));
    if (it == wanted.end() || archive_entry_filetype(entry) != AE_IFREG) continue;
    --left;
    const fs::path target = root_ / it->second->Relative;
    std::string temporary = (target.parent_path() / ".part-XXXXXX").string();
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    const bool copied =
        archive_read_data_into_fd(reader.get(), fd) == ARCHIVE_OK && fchmod(fd, 0444) == 0;
    if (close(fd) != 0 || !copied || rename(temporary.c_str(), target.c_str()) != 0) {
      unlink(temporary.c_str());
      return false;
    }
  }
  return left == 0;
}

}  // namespace shelf
