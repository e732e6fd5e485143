// A compiled HTML help file (.chm) read with libchm: its files by name, their bytes, and the
// page it opens on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace shelf {

class TChmFile {
 public:
  // Null when the file is missing or is no help file.
  static std::unique_ptr<TChmFile> Open(const std::filesystem::path& file);
  ~TChmFile();
  TChmFile(const TChmFile&) = delete;
  TChmFile& operator=(const TChmFile&) = delete;

  // The names of the files it holds ("/topic12.htm", "/pics/a.gif"), without its own system
  // files (those whose names start with "::", "/#" or "/$").
  std::vector<std::string> Files() const;
  // A file's bytes; nullopt when it is not there, cannot be read whole, or states a length over
  // `limit` or, stored uncompressed, past the help file's end. The stated length is never
  // allocated up front: memory grows only with what is really read.
  std::optional<std::string> Read(const std::string& name, std::uint64_t limit = kMaxEntry) const;
  // The page the help opens on: the default topic its system file names, else the first page.
  std::string DefaultPage() const;
  std::uint64_t FileSize() const { return fileSize_; }

  // A file of one help file larger than this is refused: the largest pictures of a help file
  // stay far below it.
  static constexpr std::uint64_t kMaxEntry = 64ull << 20;

 private:
  TChmFile(chmFile* handle, std::uint64_t fileSize) : handle_(handle), fileSize_(fileSize) {}
  chmFile* handle_;
  std::uint64_t fileSize_;
};

}  // namespace shelf
