#include "store/book_store.h"

#include <cstdio>
#include <memory>
#include <system_error>

namespace shelf {

bool TBookStore::OpenPackedContainer(std::string_view dosPath, std::string& error) {
  const auto host = fileSystem_.ToHost(dosPath);
  if (!host) {
    error = "cannot open container: no host path for " + std::string(dosPath);
    return false;
  }
  return container_.OpenPackedContainer(*host, error);
}

bool TBookStore::BookFileExists(std::string_view dosPath) const {
  std::error_code ec;
  const auto host = fileSystem_.ToHost(dosPath);
  if (host && std::filesystem::is_regular_file(*host, ec)) return true;
  return container_.ResolvePackedPath(dosPath) >= 0;
}

bool TBookStore::ReadBookFile(std::string_view dosPath, std::string& bytes) const {
  const int entry = container_.ResolvePackedPath(dosPath);
  if (entry >= 0 && container_.ReadPackedEntry(entry, bytes)) return true;
  return ReadLooseFile(dosPath, bytes);
}

bool TBookStore::ReadLooseFile(std::string_view dosPath, std::string& bytes) const {
  bytes.clear();
  const auto host = fileSystem_.ToHost(dosPath);
  std::error_code ec;
  if (!host || !std::filesystem::is_regular_file(*host, ec)) return false;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(host->c_str(), "rb"),
                                                             &std::fclose);
  if (!file) return false;
  const auto size = std::filesystem::file_size(*host, ec);
  if (ec) return false;
  bytes.resize(size);
  // A file that shrinks while being read keeps what could be read.
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
  return !std::ferror(file.get());
}

}  // namespace shelf
