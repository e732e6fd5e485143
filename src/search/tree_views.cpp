#include "search/tree_views.h"

#include <QMouseEvent>
#include <QSplitter>
#include <numeric>

#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "search/contents_host.h"
#include "store/book_folders.h"
#include "store/book_path.h"
#include "store/book_text.h"
#include "widgets/book_color.h"
#include "widgets/panel_bkgrd.h"

namespace shelf {
namespace {

constexpr int kMinimumWidth = 30;
// The record's sizes count from the window's corner; the panel starts at 33, 90.
constexpr int kPanelLeft = 33;
constexpr int kPanelTop = 90;
constexpr int kChapterAreaNumber = 20;  // the page area a chapter opens in when none is shown

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file name of a page on show, without a "#place" the reader was taken to.
std::string ShownPageName(const std::string& path) {
  return FileNamePart(path.substr(0, path.find('#')));
}

}  // namespace

TTreeViews::TTreeViews(TContentsHost& host, const RTree& record, const TBookStore& store,
                       const TBookFolders& folders)
    : QTreeWidget(host.BackgroundPanel()), host_(host), folders_(folders) {
  hide();
  width_ = record.Width - kPanelLeft;
  setMinimumWidth(kMinimumWidth);
  setGeometry(0, 0, std::max(width_, kMinimumWidth), std::max(record.Height - kPanelTop, 0));
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setRootIsDecorated(false);  // no expand buttons
  setItemsExpandable(true);
  setExpandsOnDoubleClick(false);
  setFrameShape(QFrame::NoFrame);
  setUniformRowHeights(true);
  viewport()->setMouseTracking(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QPalette colours = palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive}) {
    colours.setColor(group, QPalette::Highlight, FromBookColor(record.SelectColor));
    colours.setColor(group, QPalette::HighlightedText, FromBookColor(record.SelectTextColor));
  }
  setPalette(colours);
  if (TPanelBkgrd* panel = host_.BackgroundPanel()) panel->Splitter()->insertWidget(0, this);

  Build(ReadContentsFile(store, folders_.ProgramDir + record.ContentsFile));
  connect(this, &QTreeWidget::itemSelectionChanged, this, &TTreeViews::SelectionChanged);
  ShowForScreen();
}

void TTreeViews::Build(const std::vector<TContentsItem>& items) {
  items_ = items;
  itemList_.reserve(items_.size());
  QList<QTreeWidgetItem*> topLevel;
  for (const TContentsItem& item : items_) {
    auto* node = new QTreeWidgetItem(QStringList(ToQString(item.Caption)));
    if (item.Parent >= 0)
      itemList_[item.Parent]->addChild(node);
    else
      topLevel.push_back(node);
    node->setData(0, Qt::UserRole, static_cast<int>(itemList_.size()));
    itemList_.push_back(node);
  }
  addTopLevelItems(topLevel);
}

int TTreeViews::SelectedIndex() const {
  const QList<QTreeWidgetItem*> chosen = selectedItems();
  return chosen.empty() ? -1 : chosen.front()->data(0, Qt::UserRole).toInt();
}

int TTreeViews::FocusedIndex() const {
  const QTreeWidgetItem* item = currentItem();
  return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

void TTreeViews::FocusItem(int index) {
  QTreeWidgetItem* item = itemList_[index];
  for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
    parent->setExpanded(true);
  item->setExpanded(true);
  setCurrentItem(item);  // selects it too, which opens its page
  scrollToItem(item);
}

void TTreeViews::SelectionChanged() {
  const int index = SelectedIndex();
  if (index < 0) return;
  selectedPage_ = items_[index].Page;
  OpenSelectedPage(true);
}

void TTreeViews::ShowForScreen() {
  const int screen = host_.CurrentScreen();
  TPanelBkgrd* panel = host_.BackgroundPanel();
  if (screen == THtmlFrame::kReadingScreen) {
    if (panel) panel->show();
    show();
    PlaceSplitter();
    HiddenByScreen = false;
  } else if (screen == 0) {
    if (panel) panel->hide();
    hide();
    HiddenByScreen = true;
    treeOff_ = false;
  }
  if (!isVisible() || SectionPage.empty()) return;
  int found = ItemOfPage(items_, FileNamePart(SectionPage));
  if (found >= 0) {
    FocusItem(found);
    OpenSelectedPage(false);
  } else if (const std::size_t hash = SectionPage.find('#'); hash != std::string::npos) {
    found = ItemOfPage(items_, FileNamePart(SectionPage.substr(0, hash)));
    if (found >= 0) FindCaption(items_[found].Caption);
  }
}

void TTreeViews::OpenSelectedPage(bool fromTree) {
  THtmlFrame* pages = host_.PageAreas();
  const TFrameViewer* viewer = pages ? pages->CurrentScreenViewer() : nullptr;
  const std::string shown = viewer ? ShownPageName(viewer->CurrentFile()) : std::string();
  if (pages && !selectedPage_.empty() &&
      Cp1251LowerString(shown) != Cp1251LowerString(FileNamePart(selectedPage_))) {
    // A bare file name lives in the program folder; a name with a folder counts from there too.
    selectedPage_ = ResolveBookPath(selectedPage_, folders_);
    if (viewer && viewer->isVisible())
      pages->OpenLinkedPage(selectedPage_);
    else
      pages->ShowPage(kChapterAreaNumber, selectedPage_);
  }
  if (fromTree && currentItem() && focusPolicy() != Qt::NoFocus) scrollToItem(currentItem());
}

bool TTreeViews::FindCaption(const std::string& text) {
  const int found = FindCaptionItem(items_, FocusedIndex(), text);
  if (found < 0) return false;
  FocusItem(found);
  OpenSelectedPage(false);
  return true;
}

void TTreeViews::PlaceSplitter() {
  TPanelBkgrd* panel = host_.BackgroundPanel();
  if (!panel) return;
  QSplitter* splitter = panel->Splitter();
  QList<int> sizes = splitter->sizes();
  if (sizes.size() < 2) return;
  const int total = std::accumulate(sizes.begin(), sizes.end(), 0);
  sizes[0] = width_ + 1;
  sizes[1] = std::max(total - sizes[0], 0);
  for (qsizetype i = 2; i < sizes.size(); ++i) sizes[i] = 0;
  splitter->setSizes(sizes);
}

void TTreeViews::SetTreeOff(bool off) {
  THtmlFrame* pages = host_.PageAreas();
  TFrameViewer* viewer = pages ? pages->CurrentScreenViewer() : nullptr;
  if (!off) {
    if (!HiddenByScreen) {
      show();
      PlaceSplitter();
    }
  } else {
    hide();  // the splitter's bar goes with the tree; the page takes the panel's width
    if (viewer) viewer->Reload();
  }
  treeOff_ = off;
}

void TTreeViews::SyncTreeWithPage() {
  THtmlFrame* pages = host_.PageAreas();
  const TFrameViewer* viewer = pages ? pages->CurrentScreenViewer() : nullptr;
  const std::string name = viewer ? ShownPageName(viewer->CurrentFile()) : std::string();
  if (TrimText(name).empty()) return;
  const int found = ItemOfPage(items_, name);
  if (found >= 0) FocusItem(found);
}

void TTreeViews::StepChapter(int step) {
  if (items_.empty()) return;
  const int selected = SelectedIndex();
  int target = 0;
  if (selected >= 0) {
    const int next = NeighbourChapter(items_, selected, step);
    target = next >= 0 ? next : std::max(FocusedIndex(), selected);  // the focus stays
  }
  FocusItem(target);
  OpenSelectedPage(false);
}

std::string TTreeViews::CaptionPath(int index) const {
  const TContentsItem& item = items_[index];
  if (item.Parent < 0) return item.Caption;
  return items_[item.Parent].Caption + " : " + item.Caption;
}

std::pair<std::string, std::string> TTreeViews::ChapterHints() {
  if (!items_.empty() && SelectedIndex() < 0)
    setCurrentItem(itemList_[0], 0, QItemSelectionModel::NoUpdate);
  const int selected = SelectedIndex();
  const int next = NeighbourChapter(items_, selected, 1);
  const int previous = NeighbourChapter(items_, selected, -1);
  return {next >= 0 ? CaptionPath(next) : *Utf8ToCp1251("Последний раздел"),
          previous >= 0 ? CaptionPath(previous) : *Utf8ToCp1251("Первый раздел")};
}

void TTreeViews::mousePressEvent(QMouseEvent* event) {
  host_.ClosePopups();
  QTreeWidget::mousePressEvent(event);
}

void TTreeViews::mouseMoveEvent(QMouseEvent* event) {
  host_.PointerLeftElements();
  QTreeWidget::mouseMoveEvent(event);
}

}  // namespace shelf
