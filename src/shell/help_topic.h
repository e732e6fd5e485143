// F1 and "help": the book's help file at a topic, in our own help window (an HTML page, or a
// page of a compiled HTML help file), or handed to the desktop for any other kind of file.
#pragma once

#include <functional>
#include <string>

namespace shelf {

class TBookStore;
class TDosFileSystem;
class TShellOpen;
struct TBookFolders;

class THelpTopic {
 public:
  enum class TResult { NoHelpFile, HandedOver, Started, StartFailed, Desktop, NothingShowsIt };

  THelpTopic(const TBookStore& store, const TDosFileSystem& fileSystem, const TBookFolders& folders,
             TShellOpen& desktop)
      : store_(store), fileSystem_(fileSystem), folders_(folders), desktop_(desktop) {}

  // `helpFile`: the book's help file (full DOS name); `topic`: "Topic12" and the like.
  TResult ShowHelpTopic(const std::string& helpFile, const std::string& topic);

  // Gives the page (full DOS name) to a running help window; false when none runs.
  std::function<bool(const std::string& page)> HandOver;
  // The page of the last topic shown in a help window (full DOS name with its anchor).
  const std::string& Page() const { return page_; }

 private:
  // The help window shows `page`: the running one, or a new copy of the program.
  TResult ShowInHelpWindow(const std::string& page);
  // A compiled help file's page for `topic`, unpacked into the program's temporary folder.
  std::string UnpackedPage(const std::string& helpFile, const std::string& topic) const;

  const TBookStore& store_;
  const TDosFileSystem& fileSystem_;
  const TBookFolders& folders_;
  TShellOpen& desktop_;
  std::string page_;
};

}  // namespace shelf
