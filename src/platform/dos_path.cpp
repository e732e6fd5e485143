#include "platform/dos_path.h"

#include <system_error>
#include <vector>

#include "platform/cp1251.h"
#include "platform/disc_image.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

char DriveKey(char letter) {
  return AsciiLower(std::string_view(&letter, 1))[0];
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// Components of a DOS path without its drive; "." dropped, ".." folded (never above the top).
std::vector<std::string_view> SplitComponents(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::string_view part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  return parts;
}

// The entry of `folder` whose name equals `name` without regard to case, if any. An exact match
// wins so that a folder holding both "A" and "a" still finds each.
std::optional<fs::path> FindEntry(const fs::path& folder, const std::string& utf8Name,
                                  std::string_view cp1251Name) {
  std::error_code ec;
  fs::path exact = folder / utf8Name;
  if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found && !ec) return exact;
  const std::string wanted = Cp1251LowerString(cp1251Name);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const auto candidate = Utf8ToCp1251(it->path().filename().string());
    if (candidate && Cp1251LowerString(*candidate) == wanted) return it->path();
  }
  return std::nullopt;
}

}  // namespace

void TDosFileSystem::MapDrive(char letter, fs::path hostFolder) {
  drives_[DriveKey(letter)] = std::move(hostFolder);
  images_.erase(DriveKey(letter));
}

void TDosFileSystem::MapImage(char letter, std::shared_ptr<const TDiscImage> image) {
  drives_[DriveKey(letter)] = image->Root();
  images_[DriveKey(letter)] = std::move(image);
}

std::optional<fs::path> TDosFileSystem::ToHost(std::string_view dosPath) const {
  std::string full;
  if (dosPath.size() >= 2 && dosPath[1] == ':') {
    full = dosPath;
  } else if (!dosPath.empty() && IsSeparator(dosPath[0])) {
    full = currentDir_.substr(0, 2) + std::string(dosPath);  // root of the current drive
  } else {
    full = currentDir_ + std::string(dosPath);
  }
  if (full.size() < 2 || full[1] != ':') return std::nullopt;
  const auto drive = drives_.find(DriveKey(full[0]));
  if (drive == drives_.end()) return std::nullopt;

  const auto image = images_.find(drive->first);
  const TDiscImage* disc = image == images_.end() ? nullptr : image->second.get();
  fs::path host = drive->second;
  bool existing = true;  // once a component is missing, the rest cannot be looked up
  for (std::string_view part : SplitComponents(std::string_view(full).substr(2))) {
    const auto utf8 = Cp1251ToUtf8(part);
    if (existing) {
      if (disc != nullptr) {
        if (auto name = disc->FindEntry(host, part)) {
          host /= *name;
          continue;
        }
      } else if (auto found = FindEntry(host, utf8, part)) {
        host = std::move(*found);
        continue;
      }
      existing = false;
    }
    host /= utf8;
  }
  if (disc != nullptr && existing) disc->Materialize(host);
  return host;
}

std::optional<std::string> TDosFileSystem::ToDos(const fs::path& hostPath, bool isFolder) const {
  const fs::path normal = hostPath.lexically_normal();
  const std::pair<const char, fs::path>* best = nullptr;
  size_t bestDepth = 0;
  for (const auto& entry : drives_) {
    const fs::path rel = normal.lexically_relative(entry.second.lexically_normal());
    if (rel.empty() || *rel.begin() == "..") continue;
    const size_t depth = std::distance(entry.second.begin(), entry.second.end());
    if (!best || depth >= bestDepth) {  // on a tie the later letter: d: (the book) over c:
      best = &entry;
      bestDepth = depth;
    }
  }
  if (!best) return std::nullopt;
  std::string dos{best->first, ':', '\\'};
  for (const auto& part : normal.lexically_relative(best->second.lexically_normal())) {
    if (part == "." || part.empty()) continue;
    const auto name = Utf8ToCp1251(part.string());
    if (!name) return std::nullopt;
    dos += *name;
    dos += '\\';
  }
  if (!isFolder && dos.back() == '\\' && dos.size() > 3) dos.pop_back();
  return dos;
}

}  // namespace shelf
