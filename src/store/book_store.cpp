#include "store/book_store.h"

#include <cstdio>
#include <memory>
#include <system_error>

#include "platform/cp1251.h"
#include "store/file_size_ceiling.h"

namespace shelf {
namespace {

// Whether a file of `size` bytes may be read whole; says why not on stderr.
bool WithinCeiling(std::string_view dosPath, std::uint64_t size) {
  const std::uint64_t ceiling = SizeCeilingFor(dosPath);
  if (size <= ceiling) return true;
  std::fprintf(
      stderr,
      "shelf: %s not read: %llu bytes, more than the %llu MiB a file of its kind may hold\n",
      Cp1251ToUtf8(dosPath).c_str(), static_cast<unsigned long long>(size),
      static_cast<unsigned long long>(ceiling >> 20));
  return false;
}

}  // namespace

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
  if (entry >= 0 && WithinCeiling(dosPath, container_.Entry(entry).Size) &&
      container_.ReadPackedEntry(entry, bytes))
    return true;
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
  if (ec || !WithinCeiling(dosPath, size)) return false;
  bytes.resize(size);
  // A file that shrinks while being read keeps what could be read.
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
  return !std::ferror(file.get());
}

}  // namespace shelf
