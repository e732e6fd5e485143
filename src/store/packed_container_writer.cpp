#include "store/packed_container_writer.h"

#include <zlib.h>

#include <limits>

#include "store/packed_container.h"

namespace shelf {
namespace {

struct REntryRecord {
  std::string Name;
  std::uint32_t Offset = 0;
  std::uint32_t StoredSize = 0;
  std::uint32_t Size = 0;
  std::uint32_t Type = 0;
};

void PutWord(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(value >> shift);
}

// The deflated form of `bytes` when it is smaller, otherwise nothing.
std::string CompressIfSmaller(const std::string& bytes) {
  uLongf size = compressBound(bytes.size());
  std::string packed(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                reinterpret_cast<const Bytef*>(bytes.data()), bytes.size(),
                Z_BEST_COMPRESSION) != Z_OK ||
      size >= bytes.size())
    return {};
  packed.resize(size);
  return packed;
}

// Lays the tree out: the entries of each directory contiguous, file bytes in walk order.
class TContainerLayout {
 public:
  explicit TContainerLayout(const RPackWriteOptions& options) : options_(options) {}

  bool AddDirectory(const RPackedNode& node, std::uint32_t parent, std::uint32_t& index,
                    std::string& error) {
    index = static_cast<std::uint32_t>(dirs_.size());
    const std::uint32_t first = static_cast<std::uint32_t>(entries_.size());
    const std::uint32_t dots = options_.DotEntries ? 2 : 0;
    dirs_.push_back({first, dots + static_cast<std::uint32_t>(node.Children.size())});
    if (options_.DotEntries) {
      entries_.push_back({".", index, 0, 0, kPackedDirectory});
      entries_.push_back({"..", parent, 0, 0, kPackedDirectory});
    }
    for (const RPackedNode& child : node.Children) {
      if (child.Name.size() > kPackedNameSize) {
        error = "name longer than " + std::to_string(kPackedNameSize) + " bytes: " + child.Name;
        return false;
      }
      entries_.push_back({child.Name, 0, 0, 0, child.IsDirectory ? kPackedDirectory : kPackedFile});
      if (!child.IsDirectory && !AddFile(child.Bytes, entries_.back(), error)) return false;
    }
    for (std::size_t i = 0; i < node.Children.size(); ++i) {
      if (!node.Children[i].IsDirectory) continue;
      std::uint32_t sub = 0;
      if (!AddDirectory(node.Children[i], index, sub, error)) return false;
      entries_[first + dots + i].Offset = sub;
    }
    return true;
  }

  std::string DirectoryBlock() const {
    std::string block;
    PutWord(block, static_cast<std::uint32_t>(dirs_.size()));
    PutWord(block, static_cast<std::uint32_t>(entries_.size()));
    PutWord(block, options_.ThirdWord);
    PutWord(block, 0);  // the root is the first directory laid out
    for (const RPackedDir& dir : dirs_) {
      PutWord(block, dir.FirstEntry);
      PutWord(block, dir.EntriesInDir);
    }
    for (const REntryRecord& entry : entries_) {
      block += entry.Name;
      block.append(kPackedNameSize - entry.Name.size(), '\0');
      PutWord(block, entry.Offset);
      PutWord(block, entry.StoredSize);
      PutWord(block, entry.Size);
      PutWord(block, entry.Type);
    }
    return block;
  }

  const std::string& Data() const { return data_; }

 private:
  bool AddFile(const std::string& bytes, REntryRecord& entry, std::string& error) {
    const std::string packed = options_.CompressFiles ? CompressIfSmaller(bytes) : std::string();
    const std::string& stored = packed.empty() ? bytes : packed;
    constexpr auto kMax = std::numeric_limits<std::uint32_t>::max();
    if (data_.size() > kMax || bytes.size() > kMax) {
      error = "the files do not fit in a container (4 GiB at most): " + entry.Name;
      return false;
    }
    entry.Offset = static_cast<std::uint32_t>(data_.size());
    entry.StoredSize = static_cast<std::uint32_t>(stored.size());
    entry.Size = static_cast<std::uint32_t>(bytes.size());
    data_ += stored;
    return true;
  }

  const RPackWriteOptions& options_;
  std::vector<RPackedDir> dirs_;
  std::vector<REntryRecord> entries_;
  std::string data_;
};

}  // namespace

bool WritePackedContainer(const RPackedNode& root, const RPackWriteOptions& options,
                          std::string& container, std::string& error) {
  TContainerLayout layout(options);
  std::uint32_t rootIndex = 0;
  if (!layout.AddDirectory(root, 0, rootIndex, error)) return false;
  const std::string block = layout.DirectoryBlock();
  const std::string packed = options.CompressDirectory ? CompressIfSmaller(block) : std::string();
  const std::string& stored = packed.empty() ? block : packed;
  const auto sizeDiff = static_cast<std::uint32_t>(block.size() - stored.size());
  container.clear();
  container.reserve(kPackedHeaderSize + stored.size() + layout.Data().size());
  PutWord(container, sizeDiff ^ kPackedSizeDiffMask);
  PutWord(container, static_cast<std::uint32_t>(stored.size()) ^ kPackedStoredSizeMask);
  container += stored;
  container += layout.Data();
  return true;
}

}  // namespace shelf
