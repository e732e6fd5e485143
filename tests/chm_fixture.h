// A writer of small compiled HTML help files for the tests: every file stored uncompressed, in
// one directory chunk or in chunks laid out as the test states them, damaged ones too (Debian
// has no tool that writes the format).
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
  std::uint64_t Section = 0;  // 0: stored as it is; 1: compressed
};

constexpr std::uint32_t kChmChunk = 4096;

// A listing chunk of the `stated` entries, chained to its neighbours by chunk number (-1: none).
inline std::string ListingChunk(const std::vector<TChmEntry>& stated, std::int32_t previous = -1,
                                std::int32_t next = -1) {
  std::string entries;
  for (const TChmEntry& entry : stated) {
    PutEncInt(entries, entry.Name.size());
    entries += entry.Name;
    PutEncInt(entries, entry.Section);
    PutEncInt(entries, entry.Offset);
    PutEncInt(entries, entry.Length);
  }
  std::string chunk = "PMGL";
  PutLe(chunk, kChmChunk - 0x14 - entries.size(), 4);  // free space at the chunk's end
  PutLe(chunk, 0, 4);
  PutLe(chunk, static_cast<std::uint32_t>(previous), 4);
  PutLe(chunk, static_cast<std::uint32_t>(next), 4);
  chunk += entries;
  chunk.resize(kChmChunk, '\0');
  return chunk;
}

// An index chunk: for each chunk one level down, the first name it holds and its number.
inline std::string IndexChunk(const std::vector<std::pair<std::string, std::uint64_t>>& children) {
  std::string entries;
  for (const auto& [name, number] : children) {
    PutEncInt(entries, name.size());
    entries += name;
    PutEncInt(entries, number);
  }
  std::string chunk = "PMGI";
  PutLe(chunk, kChmChunk - 8 - entries.size(), 4);
  chunk += entries;
  chunk.resize(kChmChunk, '\0');
  return chunk;
}

// A help file's directory as the file states it: its chunks, the first of the chain of listing
// chunks, and the root of the index (-1: no index chunks, names are found in the first chunk).
struct TChmDirectory {
  std::vector<std::string> Chunks;
  std::int32_t FirstListing = 0;
  std::int32_t IndexRoot = -1;
};

// A help file of the directory `stated` over the uncompressed section `content`.
inline std::string ChmFileWith(const TChmDirectory& stated, const std::string& content) {
  constexpr std::uint32_t kItsf = 0x60, kSection0 = 0x18, kItsp = 0x54;
  const auto count = static_cast<std::uint32_t>(stated.Chunks.size());
  std::string itsp = "ITSP";
  for (const std::uint32_t value :
       {1u, kItsp, 10u, kChmChunk, 2u, stated.IndexRoot < 0 ? 1u : 2u,
        static_cast<std::uint32_t>(stated.IndexRoot),
        static_cast<std::uint32_t>(stated.FirstListing), 0xFFFFFFFFu, count, 0xFFFFFFFFu, 0x409u})
    PutLe(itsp, value, 4);
  itsp.resize(kItsp, '\0');

  const std::uint64_t dirOffset = kItsf + kSection0, dirLength = kItsp + count * kChmChunk;
  std::string out = "ITSF";
  for (const std::uint32_t value : {3u, kItsf, 1u, 0u, 0x409u}) PutLe(out, value, 4);
  out.resize(0x38, '\0');  // the two identifiers no reader checks
  PutLe(out, kItsf, 8);
  PutLe(out, kSection0, 8);
  PutLe(out, dirOffset, 8);
  PutLe(out, dirLength, 8);
  PutLe(out, dirOffset + dirLength, 8);  // where the files' bytes begin
  out.resize(kItsf + kSection0, '\0');
  out += itsp;
  for (const std::string& chunk : stated.Chunks) out += chunk;
  return out + content;
}

// A help file of `entries` in one listing chunk over the uncompressed section `content`.
inline std::string ChmFileOf(const std::vector<TChmEntry>& stated, const std::string& content) {
  return ChmFileWith({{ListingChunk(stated)}}, content);
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
