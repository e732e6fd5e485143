// The find boxes and the searches run with their text: the next place in the page on show and
// onward through the book's pages, every page that holds the text (word index, else a scan of
// the pages), and the next chapter of the contents whose caption holds it.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "book/element_records.h"
#include "store/dynamic_arrays.h"

class QLineEdit;

namespace shelf {

class TBookSearch;
class TBookStore;
class TDocumentView;
class TDosFileSystem;
class TFindHost;
class TWordQuery;
struct TBookFolders;

class TFindTxtHtml : public QObject {
 public:
  // One box per record, on the search dialog when the host has one, else on the window.
  TFindTxtHtml(TFindHost& host, const TBookStore& store, const TDosFileSystem& fileSystem,
               const TBookFolders& folders, const TDynamicFindTxtArray& records);
  ~TFindTxtHtml() override;

  // Boxes of the current screen shown, those of the screen before hidden.
  void ShowBoxesForScreen();
  void HideBoxes(bool hide);
  // The dialog shows page `page`: the boxes are on it only with the find page.
  void DialogPageShown(int page);
  // Runs the search of the chosen kind with the text of the box numbered `number`.
  void FindNext(int number);
  // The next place in the page on show only, whatever kind and scope are chosen (a found page
  // opened from the result list stays the page on show).
  void FindInPage(int number);
  // The page lists are emptied and the walk reset; index and contents modes off.
  void SetScope(bool all);
  void SetIndexMode();
  void SetContentsMode();
  // Idle (true) or searching (false); the dialog's find button hint follows.
  void SetSearching(bool idle);
  bool SearchStopped() const { return stopRequested_; }

  QLineEdit* Box(int index) const { return boxes_[index]; }
  int BoxCount() const { return static_cast<int>(boxes_.size()); }
  int PageCursor() const { return pageCursor_; }
  const std::string& SearchStartPage() const { return searchStartPage_; }
  const TDynamicStringArray& ResultFiles() const { return resultFiles_; }
  const TDynamicStringArray& ResultTitles() const { return resultTitles_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int BoxIndex(int number) const;
  void ResetSearch();
  void ContentsSearch(int box, const std::string& text);
  // `walkAll`: a page that has no more places hands over to the next page of the program
  // folder that holds the text; otherwise the search starts again at the page's top.
  void PageSearch(int box, const std::string& text, bool walkAll);
  void SearchAllPages(int box, const std::string& text);
  // The pages of the page walk (the program folder's), built anew for each walk step.
  TDynamicStringArray WalkList() const;
  // The box's page list of the scan (the book's pages), kept until the scope changes.
  void BuildScanList(int box);
  // A page's visible text holds the query; a page that cannot be read does not.
  bool PageHolds(const std::string& file, TWordQuery& query) const;
  // The thesaurus window: the entry of the term the text names in any form or by its start.
  bool ShowThesaurusTerm(int box, const std::string& text);
  TDocumentView* TargetDocument(int box) const;

  TFindHost& host_;
  const TBookStore& store_;
  const TDosFileSystem& fileSystem_;
  const TBookFolders& folders_;
  std::vector<QLineEdit*> boxes_;
  std::vector<std::string> boxFrames_;
  std::vector<TDynamicStringArray> boxExclusions_;
  std::vector<int> boxNumbers_, boxScreens_;
  std::vector<TDynamicStringArray> boxPageLists_;
  int pageCursor_ = -1;
  bool scopeAll_ = false;
  int lastScreen_ = -1;
  bool markerSearched_ = false;
  bool stopRequested_ = true;
  bool indexMode_ = false, contentsMode_ = false;
  std::string searchStartPage_;
  TDynamicStringArray resultFiles_, resultTitles_;
  std::unique_ptr<TBookSearch> bookSearch_;
};

}  // namespace shelf
