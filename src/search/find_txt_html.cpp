#include "search/find_txt_html.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "html/book_url.h"
#include "html/document_view.h"
#include "html/frame_viewer.h"
#include "html/text_search.h"
#include "platform/cp1251.h"
#include "search/book_search.h"
#include "search/find_host.h"
#include "search/make_tesaurus_find.h"
#include "search/page_list.h"
#include "search/page_plain_text.h"
#include "search/word_query.h"
#include "store/book_folders.h"
#include "store/book_path.h"
#include "store/book_store.h"
#include "store/book_text.h"
#include "widgets/scale_bar.h"

namespace shelf {
namespace {

std::string Lower(std::string_view text) {
  return Cp1251LowerString(text);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == Lower(prefix);
}

}  // namespace

TFindTxtHtml::TFindTxtHtml(TFindHost& host, const TBookStore& store,
                           const TDosFileSystem& fileSystem, const TBookFolders& folders,
                           const TDynamicFindTxtArray& records)
    : host_(host), store_(store), fileSystem_(fileSystem), folders_(folders) {
  QWidget* parent = host_.SearchDialog() ? &host_.SearchDialog()->Widget() : &host_.Window();
  for (const RFindTxt& record : records) {
    auto* box = new QLineEdit(parent);
    box->setFrame(false);
    box->hide();
    box->setToolTip(ToQString(record.Hint));
    QFont font = box->font();
    font.setPixelSize(std::max(1, record.Bottom - record.Top - 1));
    box->setFont(font);
    box->setGeometry(record.Left, record.Top, record.Right - record.Left,
                     record.Bottom - record.Top);
    connect(box, &QLineEdit::textChanged, this, [this] { ResetSearch(); });
    box->installEventFilter(this);
    boxes_.push_back(box);
    boxFrames_.push_back(record.Frame);
    boxExclusions_.push_back(record.NoFiles);
    boxNumbers_.push_back(record.Number);
    boxScreens_.push_back(record.Screen);
  }
  boxPageLists_.resize(boxes_.size());
  ShowBoxesForScreen();
}

TFindTxtHtml::~TFindTxtHtml() {
  for (QLineEdit* box : boxes_) delete box;
}

void TFindTxtHtml::ShowBoxesForScreen() {
  const int current = host_.CurrentScreen();
  const TFindDialog* dialog = host_.SearchDialog();
  const bool onFindPage = !dialog || dialog->CurrentPage() == TFindDialog::kFindPage;
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    if (boxScreens_[i] == current && onFindPage)
      boxes_[i]->show();
    else if (boxScreens_[i] == lastScreen_)
      boxes_[i]->hide();
  }
  lastScreen_ = current;
}

void TFindTxtHtml::DialogPageShown(int page) {
  for (QLineEdit* box : boxes_) box->setVisible(page == TFindDialog::kFindPage);
  if (!boxes_.empty() && page == TFindDialog::kFindPage) boxes_.front()->setFocus();
}

void TFindTxtHtml::HideBoxes(bool hide) {
  for (std::size_t i = 0; i < boxes_.size(); ++i)
    if (boxScreens_[i] == host_.CurrentScreen()) boxes_[i]->setVisible(!hide);
  for (QLineEdit* box : boxes_)
    if (box->parentWidget() && box->isVisible()) box->setFocus();
}

bool TFindTxtHtml::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  if (host_.Busy()) return true;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (!boxes_.empty() && watched == boxes_.front()) {
      if (TFindDialog* dialog = host_.SearchDialog())
        dialog->RunCommand("findnext1", "no");
      else
        FindNext(boxNumbers_.front() ? boxNumbers_.front() : 1);
    }
    return true;
  }
  return key == Qt::Key_Escape;
}

void TFindTxtHtml::ResetSearch() {
  if (host_.Busy()) return;
  pageCursor_ = -1;
  searchStartPage_.clear();  // a new text walks from the page on show
  markerSearched_ = false;
  resultFiles_.clear();
  resultTitles_.clear();
  host_.ShowStatus("");
}

int TFindTxtHtml::BoxIndex(int number) const {
  for (std::size_t i = 0; i < boxes_.size(); ++i)
    if (boxNumbers_[i] == number) return static_cast<int>(i);
  // Records that give no number are counted in order.
  if (number >= 1 && number <= BoxCount() && boxNumbers_[number - 1] == 0) return number - 1;
  return -1;
}

void TFindTxtHtml::SetScope(bool all) {
  scopeAll_ = all;
  for (TDynamicStringArray& list : boxPageLists_) list.clear();
  pageCursor_ = -1;
  searchStartPage_.clear();
  indexMode_ = contentsMode_ = false;
}

void TFindTxtHtml::SetIndexMode() {
  indexMode_ = true;
  contentsMode_ = false;
}

void TFindTxtHtml::SetContentsMode() {
  contentsMode_ = true;
  indexMode_ = false;
}

void TFindTxtHtml::SetSearching(bool idle) {
  stopRequested_ = idle;
  if (TFindDialog* dialog = host_.SearchDialog())
    dialog->SetFindButtonHint(*Utf8ToCp1251(idle ? "Искать" : "Остановить поиск"));
}

void TFindTxtHtml::FindNext(int number) {
  host_.ShowStatus("");
  const int box = BoxIndex(number);
  std::string text;
  if (box >= 0) {
    text = CleanQuery(FromQString(boxes_[box]->text()));
    if (FromQString(boxes_[box]->text()) != text) boxes_[box]->setText(ToQString(text));
  }
  if (contentsMode_)
    ContentsSearch(box, text);
  else if (indexMode_)
    SearchAllPages(box, text);
  else
    PageSearch(box, text, scopeAll_);
  SetSearching(true);
}

void TFindTxtHtml::FindInPage(int number) {
  const int box = BoxIndex(number);
  if (box >= 0) PageSearch(box, CleanQuery(FromQString(boxes_[box]->text())), false);
  SetSearching(true);
}

void TFindTxtHtml::ContentsSearch(int box, const std::string& text) {
  if (box < 0) return;
  if (text.empty()) {
    host_.ShowStatus(*Utf8ToCp1251("Введите слово для поиска"));
    return;
  }
  if (!host_.FindCaption(text)) host_.ShowStatus(*Utf8ToCp1251("Текст не найден"));
}

TDocumentView* TFindTxtHtml::TargetDocument(int box) const {
  TFrameViewer* viewer = host_.CurrentViewer();
  if (!viewer) return nullptr;
  if (!boxFrames_[box].empty())
    if (TDocumentView* frame = viewer->ViewerOfFrame(boxFrames_[box])) return frame;
  return viewer->ActiveViewer();
}

bool TFindTxtHtml::PageHolds(const std::string& file, TWordQuery& query) const {
  std::string bytes;
  if (file.empty() || !store_.ReadBookFile(file, bytes)) return false;
  return query.Next(PagePlainText(bytes), 0, host_.MatchCase()).has_value();
}

bool TFindTxtHtml::ShowThesaurusTerm(int box, const std::string& text) {
  TMakeTesaurusFind index(store_);
  index.SetIndexFolder(folders_.ProgramDir);
  std::string term, page;
  if (!index.FindTerm(text, term, page)) return false;
  host_.OpenFoundFile(folders_.ProgramDir + page.substr(0, page.find('#')));
  TDocumentView* shown = TargetDocument(box);
  if (!shown) return false;
  shown->SetCaret(0);
  return shown->FindNext("~ " + term, false);
}

TDynamicStringArray TFindTxtHtml::WalkList() const {
  TDynamicStringArray list = FindFiles(fileSystem_, folders_.ProgramDir, {"*.htm*"}, false, false);
  // The pages of the program folder that the container holds count as its files too.
  for (const std::string& entry : store_.ListPackedFiles()) {
    const std::string file = folders_.BookRoot + entry;
    if (StartsWithNoCase(file, folders_.ProgramDir) &&
        file.find('\\', folders_.ProgramDir.size()) == std::string::npos && IsPageName(entry))
      list.push_back(file);
  }
  SortPages(list);
  return list;
}

void TFindTxtHtml::BuildScanList(int box) {
  TDynamicStringArray& list = boxPageLists_[box];
  list = BookScanPages(store_, fileSystem_, folders_);
  if (!scopeAll_)
    std::erase_if(list, [&](const std::string& file) {
      const std::string name = Lower(file);
      return std::any_of(
          boxExclusions_[box].begin(), boxExclusions_[box].end(), [&](const std::string& pattern) {
            return !pattern.empty() && name.find(Lower(pattern)) != std::string::npos;
          });
    });
  if (list.empty()) list.push_back("");
}

void TFindTxtHtml::PageSearch(int box, const std::string& text, bool walkAll) {
  SetSearching(false);
  if (box < 0) return;
  if (text.empty()) {
    host_.ShowStatus(*Utf8ToCp1251("Введите слово для поиска"));
    return;
  }
  TDocumentView* target = TargetDocument(box);
  if (!target) return;
  TFrameViewer* viewer = host_.CurrentViewer();
  if (searchStartPage_.empty()) searchStartPage_ = viewer->CurrentFile();
  const bool matchCase = host_.MatchCase();
  if (host_.ThesaurusWindow() && !markerSearched_) {
    markerSearched_ = true;
    if (target->FindNext("~ " + text, matchCase)) return;
    // The entry of a term typed in another form, or by its start, on whichever page it is.
    if (ShowThesaurusTerm(box, text)) return;
    target = TargetDocument(box);
    if (!target) return;
  }
  TWordQuery query(text, false);
  const TTextFinder finder = [&](std::string_view page, std::size_t from) {
    return query.Next(page, from, matchCase);
  };
  if (target->FindNext(finder)) return;

  host_.SetBusy(true);
  // Only a search over all pages walks on, and through the program folder's pages, never
  // through the list of a scan: with the scope limited the list is empty.
  const TDynamicStringArray list = walkAll ? WalkList() : TDynamicStringArray{};
  for (++pageCursor_; pageCursor_ < static_cast<int>(list.size()); ++pageCursor_) {
    QApplication::processEvents();
    if (stopRequested_) break;
    const std::string& candidate = list[pageCursor_];
    if (SameBookFile(candidate, searchStartPage_) || !PageHolds(candidate, query)) continue;
    host_.OpenFoundFile(candidate);
    if (TDocumentView* shown = TargetDocument(box)) {
      shown->SetCaret(0);
      shown->FindNext(finder);
    }
    break;
  }
  host_.SetBusy(false);
  if (pageCursor_ >= static_cast<int>(list.size())) {
    pageCursor_ = -1;
    searchStartPage_.clear();
    if (!walkAll) {
      target->SetCaret(0);
      if (target->FindNext(finder)) return;
    }
    host_.ShowStatus(*Utf8ToCp1251("Текст не найден"));
  }
}

void TFindTxtHtml::SearchAllPages(int box, const std::string& text) {
  if (text.empty()) {
    host_.ShowStatus(*Utf8ToCp1251("Введите слово для поиска"));
    return;
  }
  // Kept for the window's life: the stems of the book's keywords are read once.
  if (!bookSearch_) bookSearch_ = std::make_unique<TBookSearch>(store_, folders_.ProgramDir);
  TBookSearch& search = *bookSearch_;
  search.MatchCase = host_.MatchCase();
  search.OnMessage = [this](const std::string& message) { host_.ShowMessage(message); };
  TScaleBar* scale = host_.SearchScale();
  bool scanned = false;
  search.ScanPages = [&]() -> const TDynamicStringArray* {
    if (box < 0) return nullptr;
    SetSearching(false);
    pageCursor_ = -1;
    host_.SetBusy(true);
    scanned = true;
    if (boxPageLists_[box].empty()) BuildScanList(box);
    return &boxPageLists_[box];
  };
  search.BeforePage = [&](std::size_t index, std::size_t count) {
    pageCursor_ = static_cast<int>(index);
    QApplication::processEvents();
    if (stopRequested_) return false;
    const double step = scale ? double(scale->BarRight() - scale->X()) / double(count) : 0.0;
    while (scale && scale->Pos() < scale->BarRight() &&
           scale->Pos() - scale->X() <= (pageCursor_ + 1) * step)
      scale->Advance(host_.CurrentScreen());
    return true;
  };
  resultFiles_.clear();
  resultTitles_.clear();
  for (RFoundPage& page : search.Find(text)) {
    resultFiles_.push_back(std::move(page.Page));
    resultTitles_.push_back(std::move(page.Title));
  }
  if (scanned) {
    host_.SetBusy(false);
    pageCursor_ = -1;  // the scan's cursor is no place in a page walk
  }
  if (scale) scale->Reset(host_.CurrentScreen());
  if (TFindDialog* dialog = host_.SearchDialog())
    dialog->ShowFindResults(resultFiles_, resultTitles_);
  if (resultFiles_.empty()) host_.ShowStatus(*Utf8ToCp1251("Текст не найден"));
}

}  // namespace shelf
