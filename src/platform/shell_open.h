// Hands a document, a web or mail address, or a program of the book to the desktop, as the
// Windows shell's "open" does, and asks the reader where to save a file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace shelf {

// `target`: a host file (opened with its associated program, or started when it is an
// executable, with `parameters` split at spaces) or a URL ("http:", "mailto:" ...).
// False with `error` set when the desktop refuses.
bool ShellOpen(const std::string& target, const std::string& parameters, std::string& error);

// The desktop as the page links use it. Tests put a recording stand-in in its place.
class TShellOpen {
 public:
  virtual ~TShellOpen() = default;

  // A web or mail address exactly as the page wrote it (UTF-8).
  virtual bool OpenUrl(const std::string& url);
  // A file with the desktop's "open" action: a document goes to its program, a Windows program
  // to whatever the desktop runs such programs with. False when the file is missing or nothing
  // takes it.
  virtual bool OpenFile(const std::filesystem::path& file);
  // Whether the desktop names a program for files of this kind (a Windows program needs one
  // to run here at all).
  virtual bool HasHandler(const std::filesystem::path& file);
  virtual bool SetCurrentFolder(const std::filesystem::path& folder);
  // The desktop's save dialog starting in `folder` with `proposedName`; `filter` is written
  // the Windows way ("Zip файлы (*.zip)|*.zip|Все файлы (*.*)|*.*", UTF-8). Nullopt when the
  // reader cancels.
  virtual std::optional<std::filesystem::path> AskSaveFile(QWidget* parent,
                                                           const std::filesystem::path& folder,
                                                           const std::string& proposedName,
                                                           const std::string& filter);
  // Starts another copy of this program with `arguments` (UTF-8).
  virtual bool StartOwnCopy(const std::vector<std::string>& arguments);
};

// "Text (*.x)|*.x|..." as a file dialog's filter list ("Text (*.x);;..."): a description that
// does not show its patterns gets them added in brackets.
std::string DialogFilter(const std::string& windowsFilter);

}  // namespace shelf
