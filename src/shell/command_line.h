// What a copy of the program was asked to do: which book it serves and which role it plays
// (the book shell, the thesaurus window, or the help or plain window for one page).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace shelf {

enum class TRunRole { BookShell, Thesaurus, HelpOrPlainWindow };

struct TCommandLine {
  // "--book DIR", or a first argument that is an existing folder. Copies the program starts
  // itself always pass "--book" so they serve the same book.
  std::optional<std::filesystem::path> BookFolder;
  std::vector<std::string> Parameters;  // the book's own parameters, Windows-1251
  std::string Raw;                      // the parameters joined by single spaces

  bool NotMainShell() const { return !Parameters.empty(); }
  // Started as a thesaurus or help window by another copy (" /t" or " /h").
  bool SpawnedCopy() const;
  TRunRole Role() const;
};

// `arguments` are UTF-8, without the program name. Nullopt with `error` on a malformed line.
std::optional<TCommandLine> ParseCommandLine(const std::vector<std::string>& arguments,
                                             std::string& error);

}  // namespace shelf
