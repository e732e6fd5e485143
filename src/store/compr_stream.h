// A book stream: one whole book file held in memory, filled from the packed container when it
// holds the file and otherwise from the loose file on disk.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace shelf {

class TBookStore;

// Raised when neither the container nor the disk has the file (or it cannot be read).
class EFOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TComprStream {
 public:
  // Container first, loose file second; throws EFOpenError naming the file when both fail.
  TComprStream(const TBookStore& store, std::string_view fileName);
  // A stream over bytes the program made itself (generated pages, tests).
  explicit TComprStream(std::string bytes) : bytes_(std::move(bytes)) {}

  const std::string& Bytes() const { return bytes_; }
  std::size_t Size() const { return bytes_.size(); }
  std::size_t Position() const { return position_; }
  void Seek(std::size_t position) {
    position_ = position < bytes_.size() ? position : bytes_.size();
  }

  // Copies up to `count` bytes from the position on and moves past them; returns the count read.
  std::size_t Read(void* buffer, std::size_t count);
  // One byte, false at the end of the stream.
  bool ReadByte(char& byte);

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};

}  // namespace shelf
