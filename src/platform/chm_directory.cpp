#include "platform/chm_directory.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/chm_compression.h"
#include "platform/le_bytes.h"

namespace shelf {

namespace {

// The file header as libchm reads it (its third version; the second is shorter but libchm
// reads this much either way), the directory header after it, and the heads of the chunks.
constexpr std::uint64_t kFileHeader = 0x60, kDirectoryHeader = 0x54;
constexpr std::uint32_t kListingHead = 0x14, kIndexHead = 0x08;
// libchm's longest name; it refuses longer ones itself, but only after reading them.
constexpr std::uint64_t kMaxName = 512;
// A number takes at most ten bytes of seven bits.
constexpr int kMaxNumberBytes = 10;
constexpr std::int32_t kNone = -1;
// The sections a file's bytes are in: as they are, or compressed.
constexpr std::uint64_t kStored = 0, kCompressed = 1;
// libchm divides by a number from the control data while it opens a help file; it takes the
// entry whose name matches without regard to case, up to a zero byte.
bool IsControlData(const std::string& name) {
  const std::string upTo = name.substr(0, name.find('\0'));
  return upTo.size() == sizeof kChmControlData - 1 &&
         std::equal(upTo.begin(), upTo.end(), kChmControlData, [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

// Reads the entries of one chunk, never past `end`.
class TEntryReader {
 public:
  TEntryReader(const std::string& chunk, std::size_t at, std::size_t end)
      : chunk_(chunk), at_(at), end_(end) {}
  bool AtEnd() const { return at_ >= end_; }

  // The format's variable-length number: seven bits a byte, most significant first, the high
  // bit set on every byte but the last.
  std::optional<std::uint64_t> Number() {
    std::uint64_t value = 0;
    for (int i = 0; i < kMaxNumberBytes && at_ < end_; ++i) {
      const auto byte = static_cast<unsigned char>(chunk_[at_++]);
      value = value << 7 | (byte & 0x7F);
      if (byte < 0x80) return value;
    }
    return std::nullopt;
  }

  // A name: its length, then its bytes; never empty.
  std::optional<std::string> Name() {
    const auto length = Number();
    if (!length || *length == 0 || *length > kMaxName || *length > end_ - at_) return std::nullopt;
    at_ += *length;
    return chunk_.substr(at_ - *length, *length);
  }

 private:
  const std::string& chunk_;
  std::size_t at_;
  std::size_t end_;
};

class TDirectoryWalk {
 public:
  TDirectoryWalk(std::ifstream& in, std::uint64_t fileSize) : in_(in), fileSize_(fileSize) {}

  bool ReadHeaders() {
    const auto file = Bytes(0, kFileHeader);
    if (!file || file->compare(0, 4, "ITSF") != 0) return false;
    const std::uint64_t version = Le32(*file, 4), headerLength = Le32(*file, 8);
    if (!(version == 2 && headerLength >= 0x58) && !(version == 3 && headerLength >= 0x60))
      return false;
    const std::uint64_t directory = Le64(*file, 0x48);
    // Where the files' bytes begin: stated from the third version on, after the directory before.
    dataAt_ = version == 3 ? Le64(*file, 0x58) : directory + Le64(*file, 0x50);
    if (directory > fileSize_) return false;
    const auto header = Bytes(directory, kDirectoryHeader);
    if (!header || header->compare(0, 4, "ITSP") != 0 || Le32(*header, 4) != 1 ||
        Le32(*header, 8) != kDirectoryHeader)
      return false;
    chunkLength_ = Le32(*header, 0x10);
    if (chunkLength_ <= kListingHead || chunkLength_ > kMaxChmChunk) return false;
    chunksAt_ = directory + kDirectoryHeader;
    chunkCount_ = Le32(*header, 0x28);
    if (chunksAt_ > fileSize_ || chunkCount_ > (fileSize_ - chunksAt_) / chunkLength_) return false;
    root_ = static_cast<std::int32_t>(Le32(*header, 0x1C));
    head_ = static_cast<std::int32_t>(Le32(*header, 0x20));
    // Without index chunks libchm looks names up from the first listing chunk.
    if (root_ < 0) root_ = head_;
    return InRange(head_) && InRange(root_);
  }

  // The listing chunks from the first, each once, to the one whose next chunk is none.
  bool ListingChainEnds() {
    std::vector<bool> seen(chunkCount_);
    for (std::int32_t number = head_; number != kNone;) {
      if (!InRange(number) || seen[number]) return false;
      seen[number] = true;
      const auto next = Listing(number);
      if (!next) return false;
      number = *next;
    }
    return true;
  }

  // The index from its root: each chunk once, no deeper than the bound, ending in listing chunks.
  bool IndexTreeEnds() {
    std::vector<bool> seen(chunkCount_);
    return Subtree(root_, 1, seen);
  }

 private:
  bool InRange(std::int64_t number) const {
    return number >= 0 && static_cast<std::uint64_t>(number) < chunkCount_;
  }

  std::optional<std::string> Bytes(std::uint64_t at, std::uint64_t size) {
    if (at > fileSize_ || size > fileSize_ - at) return std::nullopt;
    std::string bytes(size, '\0');
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(at));
    if (!in_.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
    return bytes;
  }

  std::optional<std::string> Chunk(std::int32_t number) {
    return Bytes(chunksAt_ + static_cast<std::uint64_t>(number) * chunkLength_, chunkLength_);
  }

  // The end of a chunk's entries: the free space at its end is stated in its head.
  std::optional<std::size_t> EntriesEnd(const std::string& chunk, std::uint32_t head) const {
    const std::uint64_t free = Le32(chunk, 4);
    if (free > chunkLength_ - head) return std::nullopt;
    return chunkLength_ - free;
  }

  // A listing chunk's next chunk, once every entry is found whole: a name, its section, start
  // and length.
  std::optional<std::int32_t> Listing(std::int32_t number) {
    const auto chunk = Chunk(number);
    if (!chunk || chunk->compare(0, 4, "PMGL") != 0) return std::nullopt;
    const auto end = EntriesEnd(*chunk, kListingHead);
    if (!end) return std::nullopt;
    TEntryReader entries(*chunk, kListingHead, *end);
    while (!entries.AtEnd()) {
      const auto name = entries.Name();
      const auto section = entries.Number(), start = entries.Number(), length = entries.Number();
      if (!name || !section || !start || !length ||
          (*section != kStored && *section != kCompressed))
        return std::nullopt;
      if (*section == kStored && IsControlData(*name) && !ControlDataIsSound(*start, *length))
        return std::nullopt;
    }
    return static_cast<std::int32_t>(Le32(*chunk, 0x10));
  }

  // The compressed section's control data, stored as it is at `start` of the files' bytes.
  bool ControlDataIsSound(std::uint64_t start, std::uint64_t length) {
    if (length > kMaxChmControlData || start > fileSize_ || dataAt_ > fileSize_ - start)
      return false;
    const auto bytes = Bytes(dataAt_ + start, length);
    return bytes && ChmControlDataIsSound(*bytes);
  }

  bool Subtree(std::int32_t number, int depth, std::vector<bool>& seen) {
    if (depth > kMaxChmIndexDepth || !InRange(number) || seen[number]) return false;
    seen[number] = true;
    const auto chunk = Chunk(number);
    if (!chunk) return false;
    if (chunk->compare(0, 4, "PMGL") == 0) return Listing(number).has_value();
    if (chunk->compare(0, 4, "PMGI") != 0) return false;
    const auto end = EntriesEnd(*chunk, kIndexHead);
    if (!end) return false;
    // Each entry names the first file of a chunk one level down.
    TEntryReader entries(*chunk, kIndexHead, *end);
    while (!entries.AtEnd()) {
      if (!entries.Name()) return false;
      const auto child = entries.Number();
      if (!child || *child >= chunkCount_ ||
          !Subtree(static_cast<std::int32_t>(*child), depth + 1, seen))
        return false;
    }
    return true;
  }

  std::ifstream& in_;
  std::uint64_t fileSize_;
  std::uint64_t dataAt_ = 0;
  std::uint64_t chunksAt_ = 0;
  std::uint32_t chunkLength_ = 0;
  std::uint64_t chunkCount_ = 0;
  std::int32_t root_ = kNone;
  std::int32_t head_ = kNone;
};

}  // namespace

bool ChmDirectoryIsSound(const std::filesystem::path& file) {
  std::error_code ec;
  const std::uint64_t size = std::filesystem::file_size(file, ec);
  std::ifstream in(file, std::ios::binary);
  if (ec || !in) return false;
  TDirectoryWalk walk(in, size);
  return walk.ReadHeaders() && walk.ListingChainEnds() && walk.IndexTreeEnds();
}

}  // namespace shelf
