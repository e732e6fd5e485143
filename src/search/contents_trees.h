// The contents trees of the book: the description's tree records make one tree, the "second"
// (one record) or the "first" (two records, from the second record). The tree commands, the
// chapter steps and the page's chapter work on the tree chosen by ActiveTree.
#pragma once

#include <memory>
#include <string>

#include "book/element_records.h"
#include "search/tree_views.h"

namespace shelf {

class TBookStore;
class TContentsHost;
struct TBookFolders;

class TContentsTrees {
 public:
  TContentsTrees(TContentsHost& host, const TDynamicTreeArray& records, const TBookStore& store,
                 const TBookFolders& folders);

  TTreeViews* First() const { return first_.get(); }
  TTreeViews* Second() const { return second_.get(); }
  // The second tree when it is visible, else the first when visible, else the second, else
  // the first; null when there is none.
  TTreeViews* ActiveTree() const;

  // After every screen change.
  void ShowForScreen();
  // "screen2=<page>": the page the second tree opens when its screen is shown.
  void SetSectionPage(const std::string& page);
  // "tree1" (1) and "tree2" (2): shows that tree in place of the other.
  void ShowTree(int which);
  // "offtree" / "ontree".
  void SetTreesOff(bool off);
  void NextChapter() { StepChapter(1); }
  void PreviousChapter() { StepChapter(-1); }
  // After every history change of the page areas.
  void SyncTreeWithPage();
  void UpdateChapterHints();

 private:
  void StepChapter(int step);

  TContentsHost& host_;
  std::unique_ptr<TTreeViews> first_, second_;
};

// The trees, or none when the description has no tree record (or more than two).
std::unique_ptr<TContentsTrees> CreateContentsTrees(TContentsHost& host,
                                                    const TDynamicTreeArray& records,
                                                    const TBookStore& store,
                                                    const TBookFolders& folders);

}  // namespace shelf
