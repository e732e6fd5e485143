// A compiled HTML help file (.chm) read with libchm: its files by name, their bytes, and the
// page it opens on.
#pragma once

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
  std::optional<std::string> Read(const std::string& name) const;
  // The page the help opens on: the default topic its system file names, else the first page.
  std::string DefaultPage() const;

 private:
  explicit TChmFile(chmFile* handle) : handle_(handle) {}
  chmFile* handle_;
};

}  // namespace shelf
