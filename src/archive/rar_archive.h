// The RAR reader the archive pages and unpacking work with: open, read the next header, skip or
// unpack its entry, close, and a callback for a missing volume, over libarchive (RAR 4 and 5,
// volume sets), never writing outside the destination and checking what libarchive does not.
#pragma once

#include <archive.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace shelf {

// Results, numbered as the RAR library of the original platform numbered them, plus two of
// our own for entries that are refused.
enum TRarResult : int {
  kRarSuccess = 0,
  kRarEndArchive = 10,
  kRarNoMemory = 11,
  kRarBadData = 12,
  kRarBadArchive = 13,
  kRarUnknownFormat = 14,
  kRarOpenError = 15,
  kRarCreateError = 16,
  kRarCloseError = 17,
  kRarReadError = 18,
  kRarWriteError = 19,
  kRarUnsafeName = 30,  // would land outside the destination
  kRarEncrypted = 31,   // needs a password we do not have
  kRarTooLarge = 32,    // would unpack more than the extraction may write in all
};

struct RRarHeader {
  std::string Name;  // Windows-1251, '\' between folders
  bool Folder = false;
  bool Encrypted = false;
  std::uint64_t UnpSize = 0;
  std::uint32_t FileTime = 0;  // MS-DOS date and time, local
};

class TVolumeStream;

class TRarArchive {
 public:
  // Asked with the volume that is missing (Mode 0) or about to be opened (other modes); false
  // stops reading.
  using TVolumeCallback = std::function<bool(const std::filesystem::path& volume, int mode)>;

  TRarArchive();
  ~TRarArchive();
  TRarArchive(const TRarArchive&) = delete;
  TRarArchive& operator=(const TRarArchive&) = delete;

  // Opens `file` and the volumes that follow it. kRarSuccess, kRarOpenError (cannot be read),
  // kRarBadArchive (not a RAR archive) or kRarBadData (its first header is broken).
  int Open(const std::filesystem::path& file);
  void SetVolumeCallback(TVolumeCallback callback) { volumeCallback_ = std::move(callback); }
  // kRarSuccess with `header` filled, kRarEndArchive after the last entry, kRarBadData for a
  // broken header, kRarOpenError when a volume is missing.
  int ReadHeader(RRarHeader& header);
  // Skips the entry of the last header, or unpacks it under `destination` keeping its folders.
  // A stored entry whose data do not match their CRC is removed again and reported as
  // kRarBadData.
  int ProcessFile(bool extract, const std::filesystem::path& destination = {});
  // What unpacking may write from here on, all entries together; an entry that would take more
  // is refused (kRarTooLarge) and nothing of it stays. Unbounded until set.
  void SetWriteBudget(std::uint64_t bytes) { budget_ = bytes; }
  void Close();

  // The most volumes a set is read from.
  static constexpr std::size_t kMaxVolumes = 1000;

  // The volumes of the set that `file` begins, as far as they exist (at most kMaxVolumes), and
  // the first one that does not when the archive is a volume set.
  static std::vector<std::filesystem::path> VolumesOf(const std::filesystem::path& file,
                                                      std::filesystem::path& firstMissing);

 private:
  struct TStoredCheck {
    bool Stored;
    std::uint32_t Crc;
    std::uint64_t Size;
  };
  int ReadError();
  // Asks the volume callback about the missing volume; kRarOpenError.
  int MissingVolume();
  int Extract(const std::filesystem::path& destination);
  int WriteData(const std::filesystem::path& target, bool checkCrc, std::uint32_t crc);

  std::unique_ptr<TVolumeStream> stream_;  // the volumes one after the other, as read
  archive* archive_ = nullptr;
  archive_entry* entry_ = nullptr;
  TVolumeCallback volumeCallback_;
  std::filesystem::path missingVolume_;
  bool volumeMissing_ = false;        // the set goes on in a volume that is not there
  std::vector<TStoredCheck> checks_;  // per entry in archive order (RAR 4 only)
  std::size_t entryIndex_ = 0;
  bool pending_ = false;  // a header was read and its entry not yet processed
  std::uint64_t budget_ = UINT64_MAX;
};

}  // namespace shelf
