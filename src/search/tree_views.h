// One contents tree: the chapters of the contents file beside the page on the reading screen.
// Choosing a chapter opens its page; the page on show, however it came, selects its chapter.
#pragma once

#include <QTreeWidget>
#include <string>
#include <vector>

#include "book/element_records.h"
#include "book/contents_items.h"

namespace shelf {

class TBookStore;
class TContentsHost;
struct TBookFolders;

class TTreeViews : public QTreeWidget {
 public:
  // Reads the contents file of `record` (from the container or the disk; a missing one gives
  // an empty tree) and shows the tree when the current screen is the reading screen.
  TTreeViews(TContentsHost& host, const RTree& record, const TBookStore& store,
             const TBookFolders& folders);

  // After every screen change: shown on the reading screen, hidden on the title screen.
  void ShowForScreen();
  // Opens the selected chapter's page unless it is on show; `fromTree`: the reader chose it.
  void OpenSelectedPage(bool fromTree);
  // Selects the next chapter whose caption holds `text` (wrapping round) and opens it.
  bool FindCaption(const std::string& text);
  // Switches the tree off or on again. The panel's splitter gives the page the tree's room and
  // takes it back, so the page's rectangle needs no keeping here.
  void SetTreeOff(bool off);
  // Puts the panel's splitter just right of the tree.
  void PlaceSplitter();
  // Selects the chapter of the page on show; a page the contents do not name changes nothing.
  void SyncTreeWithPage();
  // Selects and opens the next (step 1) or previous (step -1) chapter with another page.
  void StepChapter(int step);
  // The hints of the chapter buttons for the selected chapter: next, previous.
  std::pair<std::string, std::string> ChapterHints();
  // Focuses, selects and shows `index`; its parents open.
  void FocusItem(int index);

  const std::vector<TContentsItem>& Items() const { return items_; }
  QTreeWidgetItem* ItemAt(int index) const { return itemList_[index]; }
  int SelectedIndex() const;
  int FocusedIndex() const;
  std::string SectionPage;  // the page a "screen2=" command asked for
  bool TreeOff() const { return treeOff_; }
  bool HiddenByScreen = false;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void Build(const std::vector<TContentsItem>& items);
  void SelectionChanged();
  std::string CaptionPath(int index) const;

  TContentsHost& host_;
  const TBookFolders& folders_;
  std::vector<TContentsItem> items_;
  std::vector<QTreeWidgetItem*> itemList_;
  std::string selectedPage_;
  bool treeOff_ = false;
  int width_ = 0;
};

}  // namespace shelf
