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

std::string UnnamableDropMessage(const std::filesystem::path& hostPath) {
  return *Utf8ToCp1251("Файл «") + Utf8ToCp1251Lossy(hostPath.string()) +
         *Utf8ToCp1251(
             "» нельзя открыть: в его имени или в пути к нему есть знаки, которых нет в "
             "кириллической кодировке Windows-1251 (здесь они заменены на «?»), а книга "
             "называет файлы только в ней. Переименуйте файл или папку и перетащите его снова.");
}

}  // namespace shelf
