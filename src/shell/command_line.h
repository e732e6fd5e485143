// What a copy of the program was asked to do: which book it serves and which role it plays
// (the book shell, the thesaurus window, or the help or plain window for one page).
#pragma once

#include <string>
#include <vector>

namespace shelf {

enum class TRunRole { BookShell, Thesaurus, HelpOrPlainWindow };

// The page or picture a thesaurus, help or plain window shows, and the switch it was started
// with (" /t" or " /h", recognised only with the space before it).
struct TCommandLineArgument {
  std::string Argument;  // Windows-1251
  bool Thesaurus = false;
  bool Help = false;
  bool SpawnedCopy() const { return Thesaurus || Help; }
};

// The argument of a raw command line whose program path is `programPathLength` bytes long: a
// quoted program path ends at the first quote followed by a space; quotes go, the rest is
// trimmed, and the first " /t" or " /h" in it is the switch, taken out of the argument.
TCommandLineArgument CommandLineArgument(const std::string& raw, std::size_t programPathLength);

// The command line as the desktop would hand it over: the program path (quoted when it holds a
// space), a space, then the parameters separated by single spaces.
std::string RawCommandLine(const std::string& programPath, const std::string& parameters);

// What is left of the command line once the book argument is taken out (copies the program
// starts itself pass "--book DIR" first and then their own command line).
struct TCommandLine {
  std::vector<std::string> Parameters;  // the book's own parameters, Windows-1251
  std::string Raw;                      // the parameters joined by single spaces

  bool NotMainShell() const { return !Parameters.empty(); }
  // The role: "/t" anywhere in the parameters makes the thesaurus window. (The program path
  // is left out: a host path such as /tmp/... is full of slashes.)
  TRunRole Role() const;
  // The argument and switch, with `programPath` (Windows-1251) in front as the program's path.
  TCommandLineArgument Argument(const std::string& programPath) const;
};

// `arguments` are UTF-8, without the program name and the book argument.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace shelf
