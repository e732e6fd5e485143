// Which pages go into the EPUB, in which order and under which names: the contents tree's pages
// first, in its order, then every page they lead to that the tree does not list. Keeps per page
// only its name and the places links may point at, so a book of any size plans in little memory.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace shelf {

struct RPlannedPage {
  std::string File;               // full DOS file name (Windows-1251), no fragment
  std::string Name;               // its XHTML file in the EPUB ("engine.xhtml")
  std::string Caption;            // UTF-8: its first caption in the contents tree, if any
  std::string Title;              // UTF-8: the title it was written with
  std::set<std::string> Anchors;  // the places it defines, UTF-8 as written
  bool Damaged = false;           // the book names it but cannot give it intact
};

class TExportPlan {
 public:
  // The page's index, adding it at the end when it is new. Names are made from the file name
  // relative to `programDir`, in ASCII, one of a kind.
  int AddPage(const std::string& file, const std::string& programDir);
  // A name for another file of the book in the EPUB, "folder/stem.extension", one of a kind
  // (pages go at the top, other files in a folder such as "images/").
  std::string FileName(const std::string& file, const std::string& programDir,
                       const std::string& folder, const std::string& extension);
  // The index of a planned page, -1 when it is not in the plan.
  int PageOf(std::string_view file) const;

  // A link to `page` at `fragment` (UTF-8): "name.xhtml#id", the fragment kept only when the
  // page defines it (letter case ignored when no place matches exactly).
  std::string HrefTo(int page, std::string_view fragment) const;

  std::vector<RPlannedPage> Pages;

 private:
  std::map<std::string, int> byFile_;  // lower-case file name -> index
  std::set<std::string> names_;
};

// The id an anchor gets in the XHTML: the name itself when XML takes it as an id, otherwise a
// name made of its bytes ("id-d0b0"), so links and anchors agree.
std::string XmlId(std::string_view anchor);

}  // namespace shelf
