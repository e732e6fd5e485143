// Writes small RAR 4 archives with stored entries, for the sample book and the tests: folders,
// volume sets, and the faults a reader must survive (an encrypted flag, a damaged header or data).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace shelf::rar4 {

struct TRar4Entry {
  std::string Name;  // path inside the archive, '\' between folders, OEM (CP866) bytes
  std::string Data;  // stored as is
  bool Folder = false;
  bool Encrypted = false;     // only the header flag: the data stay plain
  std::uint32_t DosTime = 0;  // MS-DOS date and time (local time)
  bool UnicodeName = false;   // Name is UTF-8 and the header says so
  std::string LinkTarget;     // not empty: a Unix symbolic link to it (Data is ignored)
};

// A piece of an entry split over volumes: every piece's header names the whole file's size, and
// the last piece the whole file's CRC.
struct TRar4Piece {
  bool SplitBefore = false;
  bool SplitAfter = false;
  std::uint32_t WholeCrc = 0;
  std::uint64_t WholeSize = 0;
};

// One volume's bytes. A volume set is written by giving each volume its entries; an entry split
// over two volumes is given as two pieces.
class TRar4Writer {
 public:
  // `volume`: the archive is part of a set (new numbering, "x.partN.rar"); `firstVolume` marks
  // the first one.
  explicit TRar4Writer(bool volume = false, bool firstVolume = true);
  void Add(const TRar4Entry& entry, const TRar4Piece& piece = {});
  // The archive's bytes with its end block (`moreVolumes`: another volume follows).
  std::string Finish(bool moreVolumes = false);

 private:
  std::string bytes_;
};

std::uint32_t Crc32(const std::string& data);
// 2026-03-14 10:20:30 style fields to an MS-DOS date-time.
std::uint32_t DosTime(int year, int month, int day, int hour, int minute, int second);
// UTF-8 to the OEM code page of RAR 4 names (CP866).
std::string Utf8ToOem(const std::string& utf8);
// Writes `bytes` to `file`; false when it cannot.
bool WriteFile(const std::filesystem::path& file, const std::string& bytes);

// A whole archive of `entries` in one volume.
std::string WriteRar4(const std::vector<TRar4Entry>& entries);

}  // namespace shelf::rar4
