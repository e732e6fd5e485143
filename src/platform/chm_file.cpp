#include "platform/chm_file.h"

#include <chm_lib.h>

#include <algorithm>
#include <cstdint>

namespace shelf {

namespace {

constexpr std::uint16_t kDefaultTopicCode = 2;     // in the "/#SYSTEM" file
constexpr std::uint64_t kMaxSystemFile = 1 << 20;  // it holds a few names and numbers

int Collect(chmFile*, chmUnitInfo* unit, void* context) {
  const std::string name = unit->path;
  const bool own = name.rfind("::", 0) == 0 || name.rfind("/#", 0) == 0 ||
                   name.rfind("/$", 0) == 0 || name.empty() || name.back() == '/';
  if (!own) static_cast<std::vector<std::string>*>(context)->push_back(name);
  return CHM_ENUMERATOR_CONTINUE;
}

bool IsPage(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = name.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".htm" || extension == ".html";
}

}  // namespace

std::unique_ptr<TChmFile> TChmFile::Open(const std::filesystem::path& file) {
  std::error_code ec;
  const std::uint64_t size = std::filesystem::file_size(file, ec);
  if (ec) return nullptr;
  chmFile* handle = chm_open(file.c_str());
  return handle ? std::unique_ptr<TChmFile>(new TChmFile(handle, size)) : nullptr;
}

TChmFile::~TChmFile() {
  chm_close(handle_);
}

std::vector<std::string> TChmFile::Files() const {
  std::vector<std::string> names;
  chm_enumerate(handle_, CHM_ENUMERATE_ALL, Collect, &names);
  return names;
}

std::optional<std::string> TChmFile::Read(const std::string& name, std::uint64_t limit) const {
  chmUnitInfo unit{};
  if (chm_resolve_object(handle_, name.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
  if (unit.length > limit) return std::nullopt;
  if (unit.space == CHM_UNCOMPRESSED &&
      (unit.start > fileSize_ || unit.length > fileSize_ - unit.start))
    return std::nullopt;
  // Read a piece at a time: a compressed file's stated length is checked only by reading it.
  constexpr std::uint64_t kPiece = 1 << 20;
  std::string bytes;
  while (bytes.size() < unit.length) {
    const std::size_t at = bytes.size();
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, unit.length - at));
    bytes.resize(at + want);
    const LONGINT64 read =
        chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(bytes.data() + at), at,
                            static_cast<LONGINT64>(want));
    if (read <= 0) return std::nullopt;
    bytes.resize(at + static_cast<std::size_t>(std::min<LONGINT64>(read, LONGINT64(want))));
  }
  return bytes;
}

std::string TChmFile::DefaultPage() const {
  // "/#SYSTEM": a 4-byte version, then records of a 16-bit code, a 16-bit length and the data.
  if (const auto system = Read("/#SYSTEM", kMaxSystemFile)) {
    std::size_t at = 4;
    while (at + 4 <= system->size()) {
      const auto byte = [&](std::size_t i) { return static_cast<unsigned char>((*system)[i]); };
      const std::uint16_t code = byte(at) | byte(at + 1) << 8;
      const std::uint16_t length = byte(at + 2) | byte(at + 3) << 8;
      at += 4;
      if (at + length > system->size()) break;
      if (code == kDefaultTopicCode) {
        std::string topic(system->data() + at, length);
        topic = topic.substr(0, topic.find('\0'));
        if (!topic.empty()) return topic.front() == '/' ? topic : "/" + topic;
      }
      at += length;
    }
  }
  for (const std::string& name : Files())
    if (IsPage(name)) return name;
  return {};
}

}  // namespace shelf
