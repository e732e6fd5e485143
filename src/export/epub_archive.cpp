#include "export/epub_archive.h"

#include <zip.h>

#include <algorithm>
#include <system_error>

namespace shelf {

TEpubArchive::~TEpubArchive() {
  Abandon();
}

bool TEpubArchive::Open(const std::filesystem::path& file, std::time_t modified,
                        std::string& error) {
  Abandon();
  file_ = file;
  part_ = file;
  part_ += ".part";
  gmtime_r(&modified, &date_);
  zip_ = zipOpen64(part_.c_str(), APPEND_STATUS_CREATE);
  if (!zip_) {
    error = "cannot create " + part_.string();
    return false;
  }
  return Add("mimetype", "application/epub+zip", error);
}

bool TEpubArchive::Add(std::string_view name, std::string_view bytes, std::string& error) {
  if (zip_ && Write(name, bytes, name != "mimetype")) return true;
  error = "cannot write " + std::string(name) + " into " + part_.string();
  return false;
}

bool TEpubArchive::Write(std::string_view name, std::string_view bytes, bool compress) {
  zip_fileinfo info{};
  info.tmz_date.tm_sec = static_cast<uInt>(date_.tm_sec);
  info.tmz_date.tm_min = static_cast<uInt>(date_.tm_min);
  info.tmz_date.tm_hour = static_cast<uInt>(date_.tm_hour);
  info.tmz_date.tm_mday = static_cast<uInt>(date_.tm_mday);
  info.tmz_date.tm_mon = static_cast<uInt>(date_.tm_mon);
  info.tmz_date.tm_year = static_cast<uInt>(date_.tm_year + 1900);
  const std::string entry(name);
  // Names are ASCII (the export makes them so), which every reader takes.
  if (zipOpenNewFileInZip64(zip_, entry.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                            compress ? Z_DEFLATED : 0, compress ? Z_DEFAULT_COMPRESSION : 0,
                            bytes.size() >= 0xffffffffu) != ZIP_OK)
    return false;
  bool written = true;
  for (std::size_t at = 0; at < bytes.size() && written;) {
    const unsigned chunk =
        static_cast<unsigned>(std::min<std::size_t>(bytes.size() - at, 1u << 30));
    written = zipWriteInFileInZip(zip_, bytes.data() + at, chunk) == ZIP_OK;
    at += chunk;
  }
  return zipCloseFileInZip(zip_) == ZIP_OK && written;
}

bool TEpubArchive::Finish(std::string& error) {
  if (!zip_) {
    error = "no archive open";
    return false;
  }
  const bool closed = zipClose(zip_, nullptr) == ZIP_OK;
  zip_ = nullptr;
  std::error_code ec;
  if (closed) std::filesystem::rename(part_, file_, ec);
  if (!closed || ec) {
    error = "cannot finish " + file_.string() + (ec ? ": " + ec.message() : "");
    std::filesystem::remove(part_, ec);
    return false;
  }
  part_.clear();
  return true;
}

void TEpubArchive::Abandon() {
  if (zip_) zipClose(zip_, nullptr);
  zip_ = nullptr;
  std::error_code ec;
  if (!part_.empty()) std::filesystem::remove(part_, ec);
  part_.clear();
}

}  // namespace shelf
