#include "shell/dropped_file.h"

#include "platform/cp1251.h"

namespace shelf {
namespace {

bool ContainsAny(const std::string& name, std::initializer_list<const char*> words) {
  for (const char* word : words)
    if (name.find(word) != std::string::npos) return true;
  return false;
}

}  // namespace

std::string DroppedFileName(const std::string& dosPath) {
  return AsciiLower(dosPath.substr(0, 200));
}

TDroppedFile DroppedFileKind(const std::string& name) {
  if (name.empty()) return TDroppedFile::Nothing;
  if (ContainsAny(name, {".htm", ".txt", ".bmp", ".jpg", ".jpeg", ".gif", ".png"}))
    return TDroppedFile::Page;
  if (ContainsAny(name, {".rar"})) return TDroppedFile::Archive;
  if (ContainsAny(name, {".wav", ".mp3", ".mpa"})) return TDroppedFile::Sound;
  return TDroppedFile::Nothing;
}

}  // namespace shelf
