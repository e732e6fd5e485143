// What a link or picture reference of a page points at, as far as an EPUB can carry it: a
// page of the book, a web address, or something only the program or the disc can offer (a
// command, an archive, a program, a sound or film), which the export turns into a note.
#pragma once

#include <string>
#include <string_view>

namespace shelf {

enum class TLinkKind {
  Page,       // a page or a file shown as one (text, picture)
  SamePage,   // "#place" in the page itself
  Web,        // http, https, ftp and mail addresses, kept as they are
  Print,      // "printhtml:"
  Copy,       // "copy:" and "copylist:"
  Archive,    // .rar, .zip and their kin
  Program,    // .exe, .com, .bat
  Sound,      // .wav, .mp3, .mid
  Film,       // .avi, .mpg and their kin
  OtherFile,  // any other file, handed to the desktop by the program
  Script      // "javascript:" and other schemes the EPUB cannot follow
};

struct RLinkTarget {
  TLinkKind Kind = TLinkKind::OtherFile;
  std::string File;      // full DOS file name without the fragment (files only)
  std::string Fragment;  // after '#', as written
};

// `url` (Windows-1251, as the page writes it) of the page `currentFile`.
RLinkTarget ClassifyLink(std::string_view url, std::string_view currentFile);

// The note that stands in the export for a link of `kind` to `file` that it cannot carry
// (UTF-8), such as "[архив «setup.rar» — только на диске книги]".
std::string LeftOutNote(TLinkKind kind, std::string_view file);
// The note for a page or picture the book names but does not hold.
std::string MissingNote(std::string_view file);
// The note in place of a page the book holds but cannot give intact.
std::string DamagedNote(std::string_view file);

// The lower-case extension of a DOS file name ("htm"), empty when it has none.
std::string FileExtension(std::string_view file);
// The file name part of a DOS path.
std::string_view FileNamePart(std::string_view path);

}  // namespace shelf
