// The thesaurus lookup of the book window ("tesaurus", Shift+T): finds the word's page in the
// thesaurus index and hands it to the running thesaurus window, or starts one on it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace shelf {

class TBookStore;
class TDosFileSystem;
class TShellOpen;
struct TBookFolders;

class TThesaurusLookup {
 public:
  enum class TResult { NotFound, HandedOver, Started, NoPage, StartFailed };

  TThesaurusLookup(const TBookStore& store, const TDosFileSystem& fileSystem,
                   const TBookFolders& folders, TShellOpen& desktop)
      : store_(store), fileSystem_(fileSystem), folders_(folders), desktop_(desktop) {}

  // `word` trimmed; empty: the index's first entry.
  TResult LookUpThesaurus(std::string_view word);

  // Gives the page (a full DOS name) to a running thesaurus window; false when none runs.
  std::function<bool(const std::string& page)> HandOver;
  // A warning for the reader about the index, Windows-1251.
  std::function<void(const std::string& text)> OnWarning;
  // The page of the last lookup that found one.
  const std::string& Page() const { return page_; }

 private:
  const TBookStore& store_;
  const TDosFileSystem& fileSystem_;
  const TBookFolders& folders_;
  TShellOpen& desktop_;
  std::string page_;
};

}  // namespace shelf
