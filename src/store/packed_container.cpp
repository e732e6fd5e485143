#include "store/packed_container.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace shelf {
namespace {

// Deflate never packs more than 1032 bytes into one; a size claimed beyond that is damage, and
// refusing it keeps a damaged header from asking for gigabytes of memory.
constexpr std::uint64_t kMaxInflateRatio = 1032;

// No book file comes near this; a larger entry is damage or an attack on memory.
constexpr std::uint64_t kMaxEntryBytes = 512 * 1024 * 1024;

bool CanInflateTo(std::uint64_t stored, std::uint64_t unpacked) {
  return unpacked <= stored * kMaxInflateRatio + 64 && unpacked <= kMaxEntryBytes;
}

std::uint32_t ReadWord(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

char NormaliseByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (c == '/') return '\\';
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  if (b >= 224) return static_cast<char>(b - 32);
  return c;
}

bool ReadAt(std::FILE* file, std::uint64_t position, char* buffer, std::size_t count) {
  if (fseeko(file, static_cast<off_t>(position), SEEK_SET) != 0) return false;
  return std::fread(buffer, 1, count, file) == count;
}

// Inflates a whole RFC 1950 stream of at most `limit` bytes into `out`. The buffer grows with
// what the stream really produces: a size the file only claims is never allocated up front.
bool Inflate(const char* stored, std::size_t storedSize, std::uint64_t limit, std::string& out) {
  out.clear();
  if (limit > kMaxEntryBytes) return false;
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stored));
  stream.avail_in = static_cast<uInt>(storedSize);
  std::size_t produced = 0;
  int rc = Z_OK;
  while (rc == Z_OK) {
    if (produced == out.size()) {
      if (produced == limit) break;  // full, and the stream goes on: it claimed too little
      const std::uint64_t grown = std::max<std::uint64_t>(64 * 1024, std::uint64_t{produced} * 2);
      out.resize(static_cast<std::size_t>(std::min(grown, limit)));
    }
    stream.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
    stream.avail_out = static_cast<uInt>(out.size() - produced);
    rc = inflate(&stream, Z_NO_FLUSH);
    produced = out.size() - stream.avail_out;
  }
  inflateEnd(&stream);
  out.resize(produced);
  if (rc == Z_STREAM_END) return true;
  out.clear();
  return false;
}

}  // namespace

bool TPackedContainer::OpenPackedContainer(const std::filesystem::path& path, std::string& error) {
  Close();
  const std::string name = path.string();
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    error = "cannot open container " + name + ": " + std::strerror(errno);
    return false;
  }
  // Entries are read whole with one seek and one read; stdio buffering would only add a copy.
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  const off_t endPosition = fseeko(file.get(), 0, SEEK_END) == 0 ? ftello(file.get()) : -1;
  if (endPosition < 0) {
    error = "cannot read container " + name + ": " + std::strerror(errno);
    return false;
  }
  const auto fileSize = static_cast<std::uint64_t>(endPosition);
  if (fileSize < kPackedHeaderSize) {
    error = "container " + name + " is shorter than its header";
    return false;
  }
  char header[kPackedHeaderSize];
  if (!ReadAt(file.get(), 0, header, sizeof header)) {
    error = "cannot read container " + name + ": " + std::strerror(errno);
    return false;
  }
  const std::uint32_t sizeDiff = ReadWord(header) ^ kPackedSizeDiffMask;
  const std::uint32_t storedSize = ReadWord(header + 4) ^ kPackedStoredSizeMask;
  if (kPackedHeaderSize + std::uint64_t{storedSize} > fileSize) {
    error = "container " + name + " is shorter than its header claims";
    return false;
  }
  std::string stored(storedSize, '\0');
  if (!ReadAt(file.get(), kPackedHeaderSize, stored.data(), stored.size())) {
    error = "cannot read the directory of container " + name;
    return false;
  }
  std::string block;
  if (sizeDiff == 0) {
    block = std::move(stored);
  } else {
    const std::uint64_t unpacked = std::uint64_t{sizeDiff} + storedSize;
    if (!CanInflateTo(storedSize, unpacked) ||
        !Inflate(stored.data(), stored.size(), unpacked, block) || block.empty()) {
      error = "the directory of container " + name + " is damaged (it does not inflate)";
      return false;
    }
  }
  if (!ParseDirectory(block, error)) {
    error = "the directory of container " + name + " is damaged: " + error;
    Close();
    return false;
  }
  file_ = std::move(file);
  fileSize_ = fileSize;
  dataBase_ = kPackedHeaderSize + std::uint64_t{storedSize};
  return true;
}

bool TPackedContainer::ParseDirectory(std::string_view block, std::string& error) {
  if (block.size() < kPackedDirHeaderSize) {
    error = "its header is cut short";
    return false;
  }
  const std::uint32_t dirCount = ReadWord(block.data());
  const std::uint32_t entryCount = ReadWord(block.data() + 4);
  const std::uint32_t rootDir = ReadWord(block.data() + 12);
  const std::uint64_t tablesEnd = kPackedDirHeaderSize +
                                  std::uint64_t{dirCount} * kPackedDirRecordSize +
                                  std::uint64_t{entryCount} * kPackedEntryRecordSize;
  if (tablesEnd > block.size()) {
    error = "its tables reach past the directory block";
    return false;
  }
  if (rootDir >= dirCount) {
    error = "it has no root directory";
    return false;
  }
  dirs_.resize(dirCount);
  const char* p = block.data() + kPackedDirHeaderSize;
  for (RPackedDir& dir : dirs_) {
    dir.FirstEntry = ReadWord(p);
    dir.EntriesInDir = ReadWord(p + 4);
    p += kPackedDirRecordSize;
    if (std::uint64_t{dir.FirstEntry} + dir.EntriesInDir > entryCount) {
      error = "a directory reaches past the entry table";
      return false;
    }
  }
  entries_.resize(entryCount);
  for (RPackedEntry& entry : entries_) {
    const auto* nameEnd = static_cast<const char*>(std::memchr(p, '\0', kPackedNameSize));
    entry.NameLength = static_cast<std::uint8_t>(nameEnd ? nameEnd - p : kPackedNameSize);
    std::memcpy(entry.Name, p, entry.NameLength);
    entry.Offset = ReadWord(p + 64);
    entry.StoredSize = ReadWord(p + 68);
    entry.Size = ReadWord(p + 72);
    entry.Type = ReadWord(p + 76);
    p += kPackedEntryRecordSize;
    if (entry.Type == kPackedDirectory && entry.Offset >= dirCount) {
      error = "an entry names a directory that does not exist";
      return false;
    }
  }
  byName_.resize(entryCount);
  for (std::uint32_t i = 0; i < entryCount; ++i) byName_[i] = i;
  std::sort(byName_.begin(), byName_.end(), [this](std::uint32_t a, std::uint32_t b) {
    const std::string_view nameA = entries_[a].NameView(), nameB = entries_[b].NameView();
    return nameA < nameB || (nameA == nameB && a < b);
  });
  rootDir_ = rootDir;
  currentDir_ = rootDir;
  return true;
}

void TPackedContainer::Close() {
  file_.reset();
  fileSize_ = 0;
  dataBase_ = 0;
  rootDir_ = 0;
  currentDir_ = 0;
  dirs_.clear();
  entries_.clear();
  byName_.clear();
  prefix_.clear();
}

void TPackedContainer::SetPackedPrefix(std::string_view prefix) {
  prefix_ = NormalisePackedName(prefix);
}

std::string TPackedContainer::NormalisePackedName(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = NormaliseByte(c);
  return out;
}

int TPackedContainer::ResolvePackedPath(std::string_view path) const {
  if (!IsOpen() || path.size() > kPackedMaxPath) return -1;
  char work[kPackedMaxPath];
  std::transform(path.begin(), path.end(), work, NormaliseByte);
  std::string_view rest(work, path.size());
  if (rest.starts_with(prefix_)) rest.remove_prefix(prefix_.size());
  std::uint32_t directory = currentDir_;
  if (rest.starts_with('\\')) {
    rest.remove_prefix(1);
    directory = rootDir_;
  }
  for (std::size_t separator = rest.find('\\'); separator != std::string_view::npos;
       separator = rest.find('\\')) {
    if (separator > kPackedMaxComponent) return -1;
    const int found = FindInDirectory(rest.substr(0, separator), directory, kPackedDirectory);
    if (found < 0) return -1;
    directory = entries_[found].Offset;
    rest.remove_prefix(separator + 1);
  }
  return FindInDirectory(rest, directory, kPackedFile);
}

int TPackedContainer::FindInDirectory(std::string_view name, std::uint32_t directory,
                                      std::uint32_t wantedType) const {
  if (directory >= dirs_.size()) return -1;
  const RPackedDir& dir = dirs_[directory];
  // The first entry of the directory with that name: names sort first, indexes second.
  const auto first = std::lower_bound(
      byName_.begin(), byName_.end(), std::pair(name, dir.FirstEntry),
      [this](std::uint32_t index, const std::pair<std::string_view, std::uint32_t>& wanted) {
        const std::string_view entry = entries_[index].NameView();
        return entry < wanted.first || (entry == wanted.first && index < wanted.second);
      });
  if (first == byName_.end() || entries_[*first].NameView() != name ||
      *first >= std::uint64_t{dir.FirstEntry} + dir.EntriesInDir)
    return -1;
  return entries_[*first].Type == wantedType ? static_cast<int>(*first) : -1;
}

bool TPackedContainer::ReadPackedEntry(int index, std::string& bytes) const {
  bytes.clear();
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return false;
  const RPackedEntry& entry = entries_[index];
  const std::uint64_t start = dataBase_ + entry.Offset;
  if (entry.Type != kPackedFile || start + entry.StoredSize > fileSize_) return false;
  if (entry.StoredSize == entry.Size) {
    bytes.resize(entry.Size);
    if (ReadAt(file_.get(), start, bytes.data(), bytes.size())) return true;
  } else if (CanInflateTo(entry.StoredSize, entry.Size)) {
    std::string stored(entry.StoredSize, '\0');
    if (ReadAt(file_.get(), start, stored.data(), stored.size()) &&
        Inflate(stored.data(), stored.size(), entry.Size, bytes))
      return true;
  }
  bytes.clear();
  return false;
}

TDynamicStringArray TPackedContainer::ListPackedFiles() const {
  TDynamicStringArray files;
  WalkPackedTree([&](std::string_view path, int index) {
    if (entries_[index].Type == kPackedFile) files.emplace_back(path);
  });
  return files;
}

void TPackedContainer::WalkPackedTree(
    const std::function<void(std::string_view path, int index)>& visit) const {
  if (dirs_.empty()) return;
  std::string path;
  std::vector<bool> walked(dirs_.size());
  WalkDirectory(rootDir_, path, walked, visit);
}

void TPackedContainer::WalkDirectory(
    std::uint32_t directory, std::string& path, std::vector<bool>& walked,
    const std::function<void(std::string_view, int)>& visit) const {
  walked[directory] = true;
  const RPackedDir& dir = dirs_[directory];
  const std::size_t base = path.size();
  for (std::uint32_t i = dir.FirstEntry; i < dir.FirstEntry + dir.EntriesInDir; ++i) {
    const RPackedEntry& entry = entries_[i];
    if (entry.NameView().starts_with('.') || base + entry.NameLength > kPackedMaxPath) continue;
    path.append(entry.NameView());
    if (entry.Type == kPackedFile) {
      visit(path, static_cast<int>(i));
    } else if (entry.Type == kPackedDirectory && !walked[entry.Offset]) {
      visit(path, static_cast<int>(i));
      path += '\\';
      WalkDirectory(entry.Offset, path, walked, visit);
    }
    path.resize(base);
  }
}

}  // namespace shelf
