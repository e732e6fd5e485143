#include "rar4_writer.h"

#include <zlib.h>
#include <QStringEncoder>
#include <fstream>

namespace shelf::rar4 {
namespace {

constexpr char kMarker[] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr std::uint8_t kMainHeader = 0x73, kFileHeader = 0x74, kEndHeader = 0x7B;

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// A block: CRC16 (low half of the CRC32 of everything after it), type, flags, size, body.
std::string Block(std::uint8_t type, std::uint16_t flags, const std::string& body) {
  std::string header;
  header += static_cast<char>(type);
  Put16(header, flags);
  Put16(header, static_cast<std::uint32_t>(body.size() + 7));
  header += body;
  std::string block;
  Put16(block, Crc32(header) & 0xFFFF);
  return block + header;
}

}  // namespace

std::uint32_t Crc32(const std::string& data) {
  return static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

std::uint32_t DosTime(int year, int month, int day, int hour, int minute, int second) {
  const std::uint32_t date = ((year - 1980) << 9) | (month << 5) | day;
  const std::uint32_t time = (hour << 11) | (minute << 5) | (second / 2);
  return (date << 16) | time;
}

std::string Utf8ToOem(const std::string& utf8) {
  QStringEncoder encoder("CP866");
  const QByteArray bytes = encoder.encode(QString::fromUtf8(utf8));
  return bytes.toStdString();
}

bool WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

TRar4Writer::TRar4Writer(bool volume, bool firstVolume) {
  bytes_.assign(kMarker, sizeof kMarker);
  std::uint16_t flags = 0;
  if (volume) flags |= 0x0001 | 0x0010 | (firstVolume ? 0x0100 : 0);
  bytes_ += Block(kMainHeader, flags, std::string(6, '\0'));
}

void TRar4Writer::Add(const TRar4Entry& entry, const TRar4Piece& piece) {
  std::uint16_t flags = 0x8000;  // the packed size follows as the block's added size
  if (piece.SplitBefore) flags |= 0x0001;
  if (piece.SplitAfter) flags |= 0x0002;
  if (entry.Encrypted) flags |= 0x0004;
  if (entry.Folder) flags |= 0x00E0;
  if (entry.UnicodeName) flags |= 0x0200;
  const bool link = !entry.LinkTarget.empty();
  const std::string& data = link ? entry.LinkTarget : entry.Data;
  std::string body;
  Put32(body, static_cast<std::uint32_t>(data.size()));  // packed size
  Put32(body, static_cast<std::uint32_t>(piece.WholeSize ? piece.WholeSize : data.size()));
  body += static_cast<char>(link ? 3 : 2);  // host: Unix for links, else Windows
  Put32(body, piece.WholeCrc != 0 ? piece.WholeCrc : Crc32(data));
  Put32(body, entry.DosTime);
  body += static_cast<char>(20);    // version needed to unpack: 2.0
  body += static_cast<char>(0x30);  // method: stored
  Put16(body, static_cast<std::uint32_t>(entry.Name.size()));
  Put32(body, link ? 0120777 : entry.Folder ? 0x10 : 0x20);  // Unix mode or DOS attributes
  body += entry.Name;
  bytes_ += Block(kFileHeader, flags, body);
  bytes_ += data;
}

std::string TRar4Writer::Finish(bool moreVolumes) {
  bytes_ += Block(kEndHeader, 0x4000 | (moreVolumes ? 0x0001 : 0), {});
  return bytes_;
}

std::string WriteRar4(const std::vector<TRar4Entry>& entries) {
  TRar4Writer writer;
  for (const TRar4Entry& entry : entries) writer.Add(entry);
  return writer.Finish();
}

}  // namespace shelf::rar4
