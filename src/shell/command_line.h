// What a copy of the program was asked to do: which book it serves and which role it plays
// (the book shell, the thesaurus window, or the help or plain window for one page).
#pragma once

#include <string>
#include <vector>

namespace shelf {

enum class TRunRole { BookShell, Thesaurus, HelpOrPlainWindow };

// The page or picture a thesaurus, help or plain window shows, and the switch it was started
// with ("/t" or "/h" after the page).
struct TCommandLineArgument {
  std::string Argument;  // Windows-1251
  bool Thesaurus = false;
  bool Help = false;
  bool SpawnedCopy() const { return Thesaurus || Help; }
};

// What is left of the command line once the book argument is taken out (copies the program
// starts itself pass "--book DIR" first and then their own command line). A switch is an
// argument of its own, "/t" or "/h": a path such as /tmp/x or /home/x never is one.
struct TCommandLine {
  std::vector<std::string> Parameters;  // the book's own parameters, Windows-1251

  bool NotMainShell() const { return !Parameters.empty(); }
  // The role: a "/t" parameter anywhere makes the thesaurus window.
  TRunRole Role() const;
  // The argument and its switch: the first "/t" (else the first "/h") that follows another
  // parameter is the switch and is taken out ("/h" alone is a page name); the rest, joined by
  // spaces, without double quotes and trimmed, is the argument.
  TCommandLineArgument Argument() const;
};

// `arguments` are UTF-8, without the program name and the book argument.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace shelf
