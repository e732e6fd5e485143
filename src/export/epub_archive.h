// The EPUB file itself: a ZIP archive whose first entry is "mimetype", stored and without extra
// fields as e-readers check, then the book's entries deflated one at a time as they are made.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace shelf {

class TEpubArchive {
 public:
  TEpubArchive() = default;
  TEpubArchive(const TEpubArchive&) = delete;
  TEpubArchive& operator=(const TEpubArchive&) = delete;
  // An archive never finished is removed: no half-written book is left behind.
  ~TEpubArchive();

  // Starts writing beside `file` (as "<file>.part") with entries dated `modified`, and writes
  // the "mimetype" entry. False with `error` when the file cannot be made.
  bool Open(const std::filesystem::path& file, std::time_t modified, std::string& error);
  // One entry; false (with `error`) when it cannot be written.
  bool Add(std::string_view name, std::string_view bytes, std::string& error);
  // Writes the archive's directory and puts the file in place of `file`.
  bool Finish(std::string& error);

 private:
  bool Write(std::string_view name, std::string_view bytes, bool compress);
  void Abandon();

  void* zip_ = nullptr;  // minizip's zipFile
  std::filesystem::path file_, part_;
  std::tm date_{};
};

}  // namespace shelf
