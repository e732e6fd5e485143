// What a file dropped on the book's window opens as, by the words its name contains, tried in
// order: a page or picture, a RAR archive, a sound, or nothing.
#pragma once

#include <filesystem>
#include <string>

namespace shelf {

enum class TDroppedFile { Nothing, Page, Archive, Sound };

// The name as the window takes it: at most 200 bytes, ASCII letters lower-cased.
std::string DroppedFileName(const std::string& dosPath);
// `name` as DroppedFileName gives it; "x.htm.rar" is a page, since pages are tried first.
TDroppedFile DroppedFileKind(const std::string& name);
// What the reader is told (Windows-1251) when the host path of a dropped file has characters
// Windows-1251 cannot hold: the book's pages and commands name files in it, so it cannot open.
std::string UnnamableDropMessage(const std::filesystem::path& hostPath);

}  // namespace shelf
