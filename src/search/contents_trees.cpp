#include "search/contents_trees.h"

#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "search/contents_host.h"

namespace shelf {

std::unique_ptr<TContentsTrees> CreateContentsTrees(TContentsHost& host,
                                                    const TDynamicTreeArray& records,
                                                    const TBookStore& store,
                                                    const TBookFolders& folders) {
  if (records.empty() || records.size() > 2) return nullptr;
  return std::make_unique<TContentsTrees>(host, records, store, folders);
}

TContentsTrees::TContentsTrees(TContentsHost& host, const TDynamicTreeArray& records,
                               const TBookStore& store, const TBookFolders& folders)
    : host_(host) {
  if (records.size() == 1)
    second_ = std::make_unique<TTreeViews>(host, records[0], store, folders);
  else if (records.size() == 2)
    first_ = std::make_unique<TTreeViews>(host, records[1], store, folders);
}

TTreeViews* TContentsTrees::ActiveTree() const {
  if (second_ && second_->isVisible()) return second_.get();
  if (first_ && first_->isVisible()) return first_.get();
  return second_ ? second_.get() : first_.get();
}

void TContentsTrees::ShowForScreen() {
  for (TTreeViews* tree : {first_.get(), second_.get()})
    if (tree) tree->ShowForScreen();
}

void TContentsTrees::SetSectionPage(const std::string& page) {
  if (second_) second_->SectionPage = page;
}

void TContentsTrees::ShowTree(int which) {
  TTreeViews* shown = which == 1 ? first_.get() : second_.get();
  TTreeViews* other = which == 1 ? second_.get() : first_.get();
  if (shown) {
    if (!shown->TreeOff()) {
      shown->show();
      if (other) other->hide();
      shown->PlaceSplitter();
    }
    shown->HiddenByScreen = false;
  }
  if (other) {
    if (!other->TreeOff()) other->hide();
    other->HiddenByScreen = true;
  }
}

void TContentsTrees::SetTreesOff(bool off) {
  THtmlFrame* pages = host_.PageAreas();
  TFrameViewer* viewer = pages ? pages->CurrentScreenViewer() : nullptr;
  const bool wasShown = viewer && viewer->isVisible();
  if (viewer) viewer->hide();
  for (TTreeViews* tree : {first_.get(), second_.get()})
    if (tree && tree->TreeOff() != off) tree->SetTreeOff(off);
  if (viewer && wasShown) viewer->show();
}

void TContentsTrees::StepChapter(int step) {
  if (TTreeViews* tree = ActiveTree()) tree->StepChapter(step);
}

void TContentsTrees::SyncTreeWithPage() {
  if (TTreeViews* tree = ActiveTree()) tree->SyncTreeWithPage();
  UpdateChapterHints();
}

void TContentsTrees::UpdateChapterHints() {
  TTreeViews* tree = ActiveTree();
  if (!tree) return;
  const auto [next, previous] = tree->ChapterHints();
  host_.SetChapterHints(next, previous);
}

}  // namespace shelf
