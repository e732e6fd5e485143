#include "archive/rar_archive.h"

#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <fstream>
#include <limits>
#include <regex>

#include "platform/cp1251.h"
#include "platform/utf8_names.h"

namespace shelf {
namespace fs = std::filesystem;
namespace {

// Room an extraction leaves free on the reader's disk.
constexpr std::uintmax_t kDiskReserve = 64ull << 20;

constexpr unsigned char kRar4Marker[] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr unsigned char kRar5Marker[] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00};

std::string ReadBytes(const fs::path& file, std::size_t limit = std::string::npos) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes;
  char buffer[65536];
  while (in && bytes.size() < limit) {
    in.read(buffer, sizeof buffer);
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  return bytes.substr(0, limit);
}

std::uint32_t Get16(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t Get32(const std::string& b, std::size_t at) {
  return Get16(b, at) | (Get16(b, at + 2) << 16);
}

bool StartsWith(const std::string& bytes, const unsigned char* marker, std::size_t size) {
  return bytes.size() >= size && std::memcmp(bytes.data(), marker, size) == 0;
}

// RAR 5 numbers: seven bits a byte, low first.
std::uint64_t Vint(const std::string& b, std::size_t& at) {
  std::uint64_t value = 0;
  for (int shift = 0; at < b.size() && shift < 64; shift += 7) {
    const auto byte = static_cast<unsigned char>(b[at++]);
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) break;
  }
  return value;
}

// Whether the archive says it is one volume of a set.
bool IsVolume(const std::string& head) {
  if (StartsWith(head, kRar4Marker, sizeof kRar4Marker) && head.size() >= 7 + 7)
    return head[7 + 2] == 0x73 && (Get16(head, 7 + 3) & 0x0001) != 0;
  if (StartsWith(head, kRar5Marker, sizeof kRar5Marker)) {
    std::size_t at = sizeof kRar5Marker + 4;
    Vint(head, at);  // header size
    if (Vint(head, at) != 1) return false;
    const std::uint64_t flags = Vint(head, at);
    if (flags & 1) Vint(head, at);
    if (flags & 2) Vint(head, at);
    return (Vint(head, at) & 1) != 0;
  }
  return false;
}

// The name of the volume after `volume`: "x.part1.rar" -> "x.part2.rar", else "x.rar" -> "x.r00"
// -> "x.r01".
fs::path NextVolume(const fs::path& volume) {
  const std::string name = volume.filename().string();
  // Nine digits at most, so the number always fits (longer ones are old-style names).
  static const std::regex part(R"(^(.*\.part)([0-9]{1,9})(\.rar)$)", std::regex::icase);
  std::smatch m;
  if (std::regex_match(name, m, part)) {
    std::string number = std::to_string(std::stoul(m[2].str()) + 1);
    const std::size_t width = m[2].str().size();
    if (number.size() < width) number.insert(0, width - number.size(), '0');
    return volume.parent_path() / (m[1].str() + number + m[3].str());
  }
  const std::string extension = volume.extension().string();
  std::string next;
  if (extension.size() == 4 && std::tolower(static_cast<unsigned char>(extension[1])) == 'r' &&
      std::isdigit(static_cast<unsigned char>(extension[2])) &&
      std::isdigit(static_cast<unsigned char>(extension[3]))) {
    const int n = (extension[2] - '0') * 10 + (extension[3] - '0') + 1;
    next = extension.substr(0, 2) + static_cast<char>('0' + n / 10 % 10) +
           static_cast<char>('0' + n % 10);
  } else {
    next = extension.size() > 1 && std::isupper(static_cast<unsigned char>(extension[1])) ? ".R00"
                                                                                          : ".r00";
  }
  fs::path result = volume;
  return result.replace_extension(next);
}

// The data CRC of each stored RAR 4 entry, in archive order; an entry split over volumes takes
// the CRC of its last piece, which covers the whole file. Stops at the first damaged block.
// `moreVolumes`: the last volume says another one follows. Reads the block headers only, one
// at a time, so that a large archive is never held in memory.
std::vector<std::tuple<bool, std::uint32_t, std::uint64_t>> Rar4Checks(
    const std::vector<fs::path>& volumes, bool& moreVolumes) {
  std::vector<std::tuple<bool, std::uint32_t, std::uint64_t>> checks;
  for (const fs::path& volume : volumes) {
    moreVolumes = false;
    std::error_code ec;
    const std::uint64_t end = fs::file_size(volume, ec);
    std::ifstream in(volume, std::ios::binary);
    std::string b(sizeof kRar4Marker, '\0');
    if (ec || !in.read(b.data(), std::streamsize(b.size())) ||
        !StartsWith(b, kRar4Marker, sizeof kRar4Marker))
      return checks;
    std::uint64_t at = sizeof kRar4Marker;
    while (at + 7 <= end) {
      b.assign(7, '\0');
      if (!in.seekg(std::streamoff(at)) || !in.read(b.data(), 7)) return checks;
      const std::uint32_t flags = Get16(b, 3), size = Get16(b, 5);
      const auto type = static_cast<unsigned char>(b[2]);
      if (size < 7 || at + size > end) return checks;
      b.resize(size);
      if (!in.read(b.data() + 7, size - 7)) return checks;
      const std::uint32_t crc =
          crc32(0, reinterpret_cast<const Bytef*>(b.data() + 2), static_cast<uInt>(size - 2));
      if ((crc & 0xFFFF) != Get16(b, 0)) return checks;
      std::uint64_t added = (flags & 0x8000) && size >= 11 ? Get32(b, 7) : 0;
      if (type == 0x74 && size >= 32) {
        moreVolumes = (flags & 0x0002) != 0;
        const std::uint32_t dataCrc = Get32(b, 16);
        const bool stored = static_cast<unsigned char>(b[25]) == 0x30;
        std::uint64_t unpacked = Get32(b, 11);  // of the whole file, in every piece
        if ((flags & 0x0100) && size >= 40) {
          added |= static_cast<std::uint64_t>(Get32(b, 32)) << 32;
          unpacked |= static_cast<std::uint64_t>(Get32(b, 36)) << 32;
        }
        if ((flags & 0x0001) && !checks.empty()) {
          auto& last = checks.back();
          std::get<1>(last) = dataCrc;
        } else {
          checks.emplace_back(stored && (flags & 0x00E0) != 0x00E0, dataCrc, unpacked);
        }
      } else if (type == 0x7B) {
        moreVolumes = moreVolumes || (flags & 0x0001) != 0;
        break;
      }
      // Data said to run past the end (a 64-bit size can even wrap the offset round): the
      // volume ends here.
      if (added > end - at - size) break;
      at += size + added;
    }
  }
  return checks;
}

// Whether the last RAR 5 volume of `volumes` says another one follows: its end block says it is
// not the last, or, when it was cut before its end block, its last file goes on in the next.
bool Rar5MoreVolumes(const std::vector<fs::path>& volumes) {
  const std::string b = ReadBytes(volumes.back());
  if (!StartsWith(b, kRar5Marker, sizeof kRar5Marker)) return false;
  bool splitAfter = false;
  for (std::size_t at = sizeof kRar5Marker; at + 4 < b.size();) {
    std::size_t field = at + 4;
    const std::uint64_t headerSize = Vint(b, field);
    const std::size_t headerEnd = field + headerSize;
    if (headerSize == 0 || headerEnd > b.size()) break;
    const std::uint64_t type = Vint(b, field), flags = Vint(b, field);
    if (flags & 0x0001) Vint(b, field);  // extra area size
    const std::uint64_t dataSize = (flags & 0x0002) ? Vint(b, field) : 0;
    if (type == 5) return (Vint(b, field) & 0x0001) != 0;
    if (type == 2) splitAfter = (flags & 0x0010) != 0;
    if (dataSize > b.size() - headerEnd) return splitAfter || (flags & 0x0010) != 0;
    at = headerEnd + dataSize;
  }
  return splitAfter;
}

std::uint32_t DosTimeOf(time_t time) {
  if (time <= 0) return 0;
  tm local{};
  if (localtime_r(&time, &local) == nullptr || local.tm_year < 80) return 0;
  const std::uint32_t date =
      ((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday;
  return (date << 16) | (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
}

// The entry's path as a relative host path, or empty when it would leave the destination:
// absolute names, drive letters and ".." are refused.
fs::path SafeRelative(const std::string& name) {
  if (name.empty() || name[0] == '/' || name[0] == '\\') return {};
  if (name.size() >= 2 && name[1] == ':') return {};
  fs::path relative;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("/\\", start);
    if (end == std::string::npos) end = name.size();
    const std::string part = name.substr(start, end - start);
    if (part == "..") return {};
    if (!part.empty() && part != ".") relative /= part;
    start = end + 1;
  }
  return relative;
}

// Whether `path`, with the links that already exist resolved, lies inside `root`.
bool Inside(const fs::path& root, const fs::path& path) {
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(path, ec);
  if (ec) return false;
  const fs::path relative = real.lexically_relative(root);
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

// The volumes of a set read as one stream, with zero bytes after the last one: the RAR 5 reader
// looks for the next volume's signature in a 512-byte window past each end block and takes a
// shorter rest for a broken header, which a short last volume always leaves it.
class TVolumeStream {
 public:
  TVolumeStream(std::vector<fs::path> volumes, std::size_t padding)
      : volumes_(std::move(volumes)), padding_(padding) {}

  // False when the first volume cannot be opened (errno tells why).
  bool Open() { return OpenVolume(0); }

  static la_ssize_t Read(archive*, void* data, const void** buffer) {
    return static_cast<TVolumeStream*>(data)->Next(buffer);
  }

 private:
  bool OpenVolume(std::size_t index) {
    in_.close();
    in_.clear();
    current_ = index;
    if (index >= volumes_.size()) return false;
    in_.open(volumes_[index], std::ios::binary);
    return in_.is_open();
  }

  la_ssize_t Next(const void** buffer) {
    *buffer = buffer_.data();
    while (current_ < volumes_.size()) {
      in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
      if (in_.gcount() > 0) return in_.gcount();
      if (in_.bad()) return -1;
      if (!OpenVolume(current_ + 1) && current_ < volumes_.size()) {
        // A volume that vanished since the set was listed ends the stream there.
        current_ = volumes_.size();
        padding_ = 0;
        return 0;
      }
    }
    const std::size_t count = std::min(padding_, buffer_.size());
    padding_ -= count;
    std::fill_n(buffer_.begin(), count, '\0');
    return static_cast<la_ssize_t>(count);
  }

  std::vector<fs::path> volumes_;
  std::size_t padding_;
  std::size_t current_ = 0;
  std::ifstream in_;
  std::vector<char> buffer_ = std::vector<char>(65536);
};

TRarArchive::TRarArchive() = default;

TRarArchive::~TRarArchive() {
  Close();
}

std::vector<fs::path> TRarArchive::VolumesOf(const fs::path& file, fs::path& firstMissing) {
  std::vector<fs::path> volumes{file};
  firstMissing.clear();
  if (!IsVolume(ReadBytes(file, 256))) return volumes;
  std::error_code ec;
  for (fs::path next = NextVolume(file);; next = NextVolume(next)) {
    // Old-style names run round after ".r99"; a set never holds a volume twice.
    if (volumes.size() >= kMaxVolumes ||
        std::find(volumes.begin(), volumes.end(), next) != volumes.end())
      return volumes;
    if (!fs::is_regular_file(next, ec)) {
      firstMissing = next;
      return volumes;
    }
    volumes.push_back(next);
  }
}

int TRarArchive::Open(const fs::path& file) {
  Close();
  std::error_code ec;
  if (!fs::is_regular_file(file, ec) || access(file.c_str(), R_OK) != 0) return kRarOpenError;
  TUtf8Names names;
  const std::vector<fs::path> volumes = VolumesOf(file, missingVolume_);
  checks_.clear();
  bool moreVolumes = false;
  for (const auto& [stored, crc, size] : Rar4Checks(volumes, moreVolumes))
    checks_.push_back({stored, crc, size});
  if (!missingVolume_.empty() && Rar5MoreVolumes(volumes)) moreVolumes = true;
  volumeMissing_ = moreVolumes && !missingVolume_.empty();
  entryIndex_ = 0;
  pending_ = false;

  archive_ = archive_read_new();
  if (archive_ == nullptr) return kRarNoMemory;
  archive_read_support_format_rar(archive_);
  archive_read_support_format_rar5(archive_);
  // Names stored without the Unicode flag are in the OEM code page of Russian DOS.
  archive_read_set_options(archive_, "rar:hdrcharset=CP866");
  stream_ = std::make_unique<TVolumeStream>(volumes, IsVolume(ReadBytes(file, 256)) ? 512 : 0);
  if (!stream_->Open()) {
    Close();
    return kRarOpenError;
  }
  if (archive_read_open(archive_, stream_.get(), nullptr, &TVolumeStream::Read, nullptr) !=
      ARCHIVE_OK) {
    Close();
    return kRarBadArchive;
  }
  return kRarSuccess;
}

int TRarArchive::MissingVolume() {
  if (volumeCallback_) volumeCallback_(missingVolume_, 0);
  volumeMissing_ = false;  // said once
  return kRarOpenError;
}

int TRarArchive::ReadError() {
  const char* text = archive_error_string(archive_);
  const std::string message = text ? text : "";
  if (volumeMissing_) return MissingVolume();
  if (message.find("CRC") != std::string::npos || message.find("eader") != std::string::npos ||
      message.find("hecksum") != std::string::npos)
    return kRarBadData;
  return kRarBadArchive;
}

int TRarArchive::ReadHeader(RRarHeader& header) {
  if (archive_ == nullptr) return kRarBadArchive;
  TUtf8Names names;
  if (pending_) {
    archive_read_data_skip(archive_);
    ++entryIndex_;
    pending_ = false;
  }
  const int status = archive_read_next_header(archive_, &entry_);
  if (status == ARCHIVE_EOF) return volumeMissing_ ? MissingVolume() : kRarEndArchive;
  if (status < ARCHIVE_WARN) return ReadError();
  const char* utf8 = archive_entry_pathname_utf8(entry_);
  if (utf8 == nullptr) utf8 = archive_entry_pathname(entry_);
  std::string name = Utf8ToCp1251Lossy(utf8 ? utf8 : "");
  for (char& c : name)
    if (c == '/') c = '\\';
  while (!name.empty() && name.back() == '\\') name.pop_back();
  header.Name = name;
  header.Folder = archive_entry_filetype(entry_) == AE_IFDIR;
  header.Encrypted = archive_entry_is_encrypted(entry_) != 0;
  header.UnpSize = archive_entry_size_is_set(entry_) ? archive_entry_size(entry_) : 0;
  header.FileTime = archive_entry_mtime_is_set(entry_) ? DosTimeOf(archive_entry_mtime(entry_)) : 0;
  pending_ = true;
  return kRarSuccess;
}

int TRarArchive::ProcessFile(bool extract, const fs::path& destination) {
  if (archive_ == nullptr || !pending_) return kRarBadArchive;
  TUtf8Names names;
  pending_ = false;
  int result = kRarSuccess;
  if (extract) {
    result = Extract(destination);
  } else if (archive_read_data_skip(archive_) < ARCHIVE_WARN) {
    result = ReadError();
  }
  ++entryIndex_;
  return result;
}

int TRarArchive::Extract(const fs::path& destination) {
  std::error_code ec;
  const fs::path root = fs::weakly_canonical(destination, ec);
  const char* utf8 = archive_entry_pathname_utf8(entry_);
  if (utf8 == nullptr) utf8 = archive_entry_pathname(entry_);
  const fs::path relative = SafeRelative(utf8 ? utf8 : "");
  const fs::path target = root / relative;
  const auto refuse = [this](int code) {
    archive_read_data_skip(archive_);
    return code;
  };
  if (ec || relative.empty() || !Inside(root, target)) return refuse(kRarUnsafeName);
  if (archive_entry_is_encrypted(entry_)) return refuse(kRarEncrypted);

  const auto type = archive_entry_filetype(entry_);
  if (type == AE_IFDIR) {
    fs::create_directories(target, ec);
    return refuse(ec ? kRarCreateError : kRarSuccess);
  }
  fs::create_directories(target.parent_path(), ec);
  if (ec || !Inside(root, target.parent_path()))
    return refuse(ec ? kRarCreateError : kRarUnsafeName);
  if (const char* link = archive_entry_hardlink_utf8(entry_)) {
    const fs::path source = root / SafeRelative(link);
    if (SafeRelative(link).empty() || !Inside(root, source)) return refuse(kRarUnsafeName);
    fs::create_hard_link(source, target, ec);
    return refuse(ec ? kRarCreateError : kRarSuccess);
  }
  if (type == AE_IFLNK) {
    const char* link = archive_entry_symlink_utf8(entry_);
    const fs::path pointsTo = link ? fs::path(link) : fs::path();
    if (pointsTo.empty() || pointsTo.is_absolute() ||
        !Inside(root, target.parent_path() / pointsTo))
      return refuse(kRarUnsafeName);
    fs::create_symlink(pointsTo, target, ec);
    return refuse(ec ? kRarCreateError : kRarSuccess);
  }
  const bool check =
      entryIndex_ < checks_.size() && checks_[entryIndex_].Stored &&
      static_cast<std::int64_t>(checks_[entryIndex_].Size) == archive_entry_size(entry_);
  const int result = WriteData(target, check, check ? checks_[entryIndex_].Crc : 0);
  if (result != kRarSuccess) {
    fs::remove(target, ec);
    return result;
  }
  if (archive_entry_mtime_is_set(entry_)) {
    const timespec times[2] = {{archive_entry_mtime(entry_), 0}, {archive_entry_mtime(entry_), 0}};
    utimensat(AT_FDCWD, target.c_str(), times, AT_SYMLINK_NOFOLLOW);
  }
  return kRarSuccess;
}

int TRarArchive::WriteData(const fs::path& target, bool checkCrc, std::uint32_t crc) {
  // An entry is written only when its stated size fits on the disk with room to spare, and
  // never beyond that size (nor, without one, beyond the room there is): a hostile archive
  // cannot fill the reader's disk.
  std::error_code ec;
  const fs::space_info space = fs::space(target.parent_path(), ec);
  const auto room = ec ? std::numeric_limits<std::uintmax_t>::max()
                       : space.available - std::min(space.available, kDiskReserve);
  const bool sized = archive_entry_size_is_set(entry_) && archive_entry_size(entry_) >= 0;
  const auto limit = std::min<std::uintmax_t>(
      sized ? static_cast<std::uintmax_t>(archive_entry_size(entry_)) : room, budget_);
  if (sized && static_cast<std::uintmax_t>(archive_entry_size(entry_)) > budget_) {
    archive_read_data_skip(archive_);
    return kRarTooLarge;
  }
  if (limit > room) {
    archive_read_data_skip(archive_);
    return kRarWriteError;
  }
  // Never through a link left at the target's place.
  const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    archive_read_data_skip(archive_);
    return kRarCreateError;
  }
  uLong sum = crc32(0, nullptr, 0);
  int result = kRarSuccess;
  const void* block = nullptr;
  size_t size = 0;
  la_int64_t offset = 0, written = 0;
  for (;;) {
    const int status = archive_read_data_block(archive_, &block, &size, &offset);
    if (status == ARCHIVE_EOF) break;
    if (status < ARCHIVE_WARN) {
      result = ReadError();
      break;
    }
    if (offset < 0 || static_cast<std::uintmax_t>(offset) + size > limit) {
      // More data than the header said, than the disk has room for, or than the whole
      // extraction may write.
      result = sized ? kRarBadData : budget_ < room ? kRarTooLarge : kRarWriteError;
      break;
    }
    if (offset != written && lseek(fd, offset, SEEK_SET) < 0) {
      result = kRarWriteError;
      break;
    }
    const auto* bytes = static_cast<const char*>(block);
    for (size_t done = 0; done < size;) {
      const ssize_t n = write(fd, bytes + done, size - done);
      if (n <= 0) {
        result = kRarWriteError;
        break;
      }
      done += static_cast<size_t>(n);
    }
    if (result != kRarSuccess) break;
    sum = crc32(sum, static_cast<const Bytef*>(block), static_cast<uInt>(size));
    written = offset + static_cast<la_int64_t>(size);
  }
  if (close(fd) != 0 && result == kRarSuccess) result = kRarCloseError;
  // A file cut short where its next volume is missing.
  if (result == kRarSuccess && volumeMissing_ && written < archive_entry_size(entry_))
    result = MissingVolume();
  if (result == kRarSuccess && checkCrc && sum != crc) result = kRarBadData;
  if (result == kRarSuccess) budget_ -= static_cast<std::uint64_t>(written);
  return result;
}

void TRarArchive::Close() {
  if (archive_ != nullptr) archive_read_free(archive_);
  archive_ = nullptr;
  stream_.reset();
  entry_ = nullptr;
  pending_ = false;
}

}  // namespace shelf
