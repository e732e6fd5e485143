// A writer of small compiled HTML help files for the tests: every file stored uncompressed in
// one directory chunk, which is all a reader needs to find and read them (Debian has no tool
// that writes the format).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace shelf::test {

inline void PutLe(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The format's variable-length number: 7 bits a byte, most significant first.
inline void PutEncInt(std::string& out, std::uint64_t value) {
  std::string bytes(1, static_cast<char>(value & 0x7F));
  for (value >>= 7; value; value >>= 7)
    bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
  out += bytes;
}

// A directory entry as the file states it: where its bytes begin in the uncompressed section,
// and how many there are said to be (which a hostile file need not have).
struct TChmEntry {
  std::string Name;
  std::uint64_t Offset = 0;
  std::uint64_t Length = 0;
};

// A help file of `entries` over the uncompressed section `content`.
inline std::string ChmFileOf(const std::vector<TChmEntry>& stated, const std::string& content) {
  constexpr std::uint32_t kBlock = 4096, kItsf = 0x60, kSection0 = 0x18, kItsp = 0x54, kPmgl = 0x14;
  std::string entries;
  for (const TChmEntry& entry : stated) {
    PutEncInt(entries, entry.Name.size());
    entries += entry.Name;
    PutEncInt(entries, 0);  // the uncompressed section
    PutEncInt(entries, entry.Offset);
    PutEncInt(entries, entry.Length);
  }
  std::string chunk = "PMGL";
  PutLe(chunk, kBlock - kPmgl - entries.size(), 4);  // free space at the chunk's end
  PutLe(chunk, 0, 4);
  PutLe(chunk, 0xFFFFFFFF, 4);  // no previous chunk
  PutLe(chunk, 0xFFFFFFFF, 4);  // no next chunk
  chunk += entries;
  chunk.resize(kBlock, '\0');

  std::string itsp = "ITSP";
  for (const std::uint32_t value :
       {1u, kItsp, 10u, kBlock, 2u, 1u, 0xFFFFFFFFu, 0u, 0xFFFFFFFFu, 1u, 0xFFFFFFFFu, 0x409u})
    PutLe(itsp, value, 4);
  itsp.resize(kItsp, '\0');

  const std::uint64_t dirOffset = kItsf + kSection0, dirLength = kItsp + kBlock;
  std::string out = "ITSF";
  for (const std::uint32_t value : {3u, kItsf, 1u, 0u, 0x409u}) PutLe(out, value, 4);
  out.resize(0x38, '\0');  // the two identifiers no reader checks
  PutLe(out, kItsf, 8);
  PutLe(out, kSection0, 8);
  PutLe(out, dirOffset, 8);
  PutLe(out, dirLength, 8);
  PutLe(out, dirOffset + dirLength, 8);  // where the files' bytes begin
  out.resize(kItsf + kSection0, '\0');
  return out + itsp + chunk + content;
}

// `files`: names as the help file stores them ("/index.htm") and their bytes. `defaultTopic`,
// when not empty, goes into the "/#SYSTEM" file.
inline std::string ChmFile(std::vector<std::pair<std::string, std::string>> files,
                           const std::string& defaultTopic = {}) {
  if (!defaultTopic.empty()) {
    std::string system;
    PutLe(system, 3, 4);
    PutLe(system, 2, 2);
    PutLe(system, defaultTopic.size() + 1, 2);
    system += defaultTopic + '\0';
    files.emplace_back("/#SYSTEM", system);
  }
  std::vector<TChmEntry> entries;
  std::string content;
  for (const auto& [name, bytes] : files) {
    entries.push_back({name, content.size(), bytes.size()});
    content += bytes;
  }
  return ChmFileOf(entries, content);
}

}  // namespace shelf::test
