// Containers for the store tests: trees written in a few lines, packed by the writer, and byte
// patches that make damaged or odd layouts.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cp1251.h"
#include "store/packed_container.h"
#include "store/packed_container_writer.h"
#include "test_support.h"

namespace shelf::test {

// Test sources are UTF-8; book names and text are Windows-1251.
inline std::string Win(std::string_view utf8) {
  return Utf8ToCp1251(utf8).value();
}

inline RPackedNode PackedFile(std::string_view utf8Name, std::string bytes) {
  return {Win(utf8Name), false, std::move(bytes), {}};
}

inline RPackedNode PackedDir(std::string_view utf8Name, std::vector<RPackedNode> children) {
  return {Win(utf8Name), true, {}, std::move(children)};
}

inline std::string Pack(const RPackedNode& root, const RPackWriteOptions& options = {}) {
  std::string container;
  std::string error;
  EXPECT_TRUE(WritePackedContainer(root, options, container, error)) << error;
  return container;
}

inline std::uint32_t WordAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

inline void PutWordAt(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

// Offsets inside a container written with a raw (uncompressed) directory block.
inline std::size_t DirWordOffset(int word) {
  return kPackedHeaderSize + 4 * word;
}
inline std::size_t EntryOffset(const std::string& container, std::uint32_t entry) {
  return kPackedHeaderSize + kPackedDirHeaderSize +
         kPackedDirRecordSize * WordAt(container, DirWordOffset(0)) +
         kPackedEntryRecordSize * entry;
}
inline std::size_t DataBase(const std::string& container) {
  return kPackedHeaderSize + (WordAt(container, 4) ^ kPackedStoredSizeMask);
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Text that deflate shrinks, in Windows-1251.
inline std::string Compressible(std::string_view utf8, int repeat) {
  std::string text;
  for (int i = 0; i < repeat; ++i) text += Win(utf8) + std::to_string(i) + "\r\n";
  return text;
}

// Bytes that deflate cannot shrink, so the writer stores them raw.
inline std::string Incompressible(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 12345;
  for (char& c : bytes) {
    state = state * 1103515245 + 12345;
    c = static_cast<char>(state >> 23);
  }
  return bytes;
}

// Flips the last stored byte (part of the checksum) of the compressed file at `path`.
inline void BreakEntry(const std::filesystem::path& containerFile, std::string_view path) {
  TPackedContainer container;
  std::string error;
  ASSERT_TRUE(container.OpenPackedContainer(containerFile, error)) << error;
  const int index = container.ResolvePackedPath(path);
  ASSERT_GE(index, 0) << path;
  const RPackedEntry& entry = container.Entry(index);
  ASSERT_NE(entry.StoredSize, entry.Size) << path << " is stored raw";
  std::string bytes = ReadFile(containerFile);
  bytes[DataBase(bytes) + entry.Offset + entry.StoredSize - 1] ^= 1;
  WriteBytes(containerFile, bytes);
}

}  // namespace shelf::test
