#include "html/frame_viewer.h"

#include "html/book_url.h"
#include "html/frame_set_widget.h"
#include "platform/cp1251.h"

#include <cstdio>

namespace shelf {

namespace {

// Framesets that include themselves (or nest absurdly deep) stop here.
constexpr int kMaxFrameDepth = 6;
// Frames one page may open in all, nested ones included: a frameset whose frames load the page
// itself multiplies at every level, and the depth alone still allows thousands.
constexpr int kMaxFrames = 100;

}  // namespace

struct TFrameViewer::TFrameNode {
  std::string Name;
  std::string File;
  std::string Title;
  TFrameNode* Parent = nullptr;
  std::size_t Slot = 0;
  QWidget* Widget = nullptr;
  TDocumentView* View = nullptr;
  TFrameSetWidget* Set = nullptr;
  std::vector<std::unique_ptr<TFrameNode>> Children;

  int Depth() const { return Parent ? Parent->Depth() + 1 : 0; }
};

TFrameViewer::TFrameViewer(const TBookStore& store, QWidget* parent)
    : QWidget(parent), store_(store), root_(std::make_unique<TFrameNode>()) {}

TFrameViewer::~TFrameViewer() = default;

void TFrameViewer::SetSettings(const TViewerSettings& settings) {
  settings_ = settings;
  ForEachView(*root_, [&](TDocumentView& view) { view.SetSettings(settings_); });
}

void TFrameViewer::SetVisitedMaxCount(int count) {
  visitedMax_ = count < 0 ? 0 : count;
  while (int(visited_.size()) > visitedMax_) visited_.pop_back();
}

void TFrameViewer::resizeEvent(QResizeEvent*) {
  if (root_->Widget) root_->Widget->setGeometry(rect());
}

TDocumentView* TFrameViewer::MakeView(TFrameNode& node) {
  auto* view = new TDocumentView(store_);
  view->SetSettings(settings_);
  view->SetVisitedTest([this](const std::string& file) { return IsVisited(file); });
  view->OnHotSpotTargetCovered = [this](const std::string& target, const std::string& url) {
    if (OnHotSpotTargetCovered) OnHotSpotTargetCovered(target, url);
  };
  view->OnHotSpotTargetClick = [this, &node](const std::string& target, const std::string& url,
                                             bool& handled) {
    RouteClick(node, target, url, handled);
  };
  view->OnKeyDown = [this, view](QKeyEvent* event) {
    if (OnKeyDown) OnKeyDown(*view, event);
  };
  view->OnMouseMove = [this](QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(event);
  };
  view->OnMouseDown = [this, &node](QMouseEvent* event) {
    active_ = &node;
    if (OnMouseDown) OnMouseDown(event);
  };
  view->OnPrintHeader = [this](QPainter& canvas, int page, int width, int height, bool& stop) {
    if (OnPrintHeader) OnPrintHeader(canvas, page, width, height, stop);
  };
  return view;
}

void TFrameViewer::Install(TFrameNode& node, QWidget* widget) {
  if (node.Parent) {
    node.Parent->Set->SetSlot(node.Slot, widget);
  } else {
    if (node.Widget && node.Widget != widget) node.Widget->deleteLater();
    widget->setParent(this);
    widget->setGeometry(rect());
    widget->show();
  }
  node.Widget = widget;
}

bool TFrameViewer::LoadIntoNode(TFrameNode& node, const std::string& file, int depth) {
  TDocumentView* view = node.View;
  const bool fresh = view == nullptr;
  if (fresh) view = MakeView(node);
  if (!view->LoadFile(file)) {
    if (fresh) delete view;
    return false;
  }
  node.File = std::string(UrlWithoutFragment(file));
  node.Title = view->DocumentTitle();
  if (auto set = view->FrameSet(); set && depth < kMaxFrameDepth) {
    if (fresh) delete view;
    BuildFrameSet(node, *set, depth);
    return true;
  }
  if (fresh) {
    if (active_ && active_ != &node) {
      for (TFrameNode* up = active_->Parent; up; up = up->Parent)
        if (up == &node) active_ = &node;
    }
    node.Children.clear();
    node.Set = nullptr;
    Install(node, view);
    node.View = view;
  }
  return true;
}

void TFrameViewer::BuildFrameSet(TFrameNode& node, const TFrameSetLayout& spec, int depth) {
  active_ = &node;
  node.Children.clear();
  node.View = nullptr;
  node.Set = new TFrameSetWidget(spec);
  Install(node, node.Set);
  for (std::size_t i = 0; i < spec.Frames.size(); ++i) {
    if (framesLeft_ <= 0) {
      std::fprintf(stderr, "shelf: page %s: frames beyond %d left empty\n",
                   Cp1251ToUtf8(node.File).c_str(), kMaxFrames);
      break;
    }
    --framesLeft_;
    const TFrameSetLayout::TFrame& frame = spec.Frames[i];
    auto child = std::make_unique<TFrameNode>();
    child->Parent = &node;
    child->Slot = i;
    child->Name = frame.Name;
    TFrameNode& c = *child;
    node.Children.push_back(std::move(child));
    if (frame.Nested && depth + 1 < kMaxFrameDepth) {
      BuildFrameSet(c, *frame.Nested, depth + 1);
    } else if (frame.Source.empty() || !LoadIntoNode(c, frame.Source, depth + 1)) {
      c.View = MakeView(c);
      Install(c, c.View);
    }
  }
  active_ = &node;
}

bool TFrameViewer::LoadFromFile(const std::string& dosFile) {
  RememberScroll();
  framesLeft_ = kMaxFrames;
  if (!LoadIntoNode(*root_, dosFile, 0)) return false;
  active_ = root_.get();
  currentFile_ = dosFile;
  AddHistory(dosFile, root_->Title);
  return true;
}

void TFrameViewer::RouteClick(TFrameNode& from, const std::string& target, const std::string& url,
                              bool& handled) {
  if (OnHotSpotTargetClick) OnHotSpotTargetClick(target, url, handled);
  if (handled) return;
  handled = true;
  const std::string expanded = ExpandBookUrl(url, from.File);
  if (!UrlScheme(expanded).empty()) return;
  const std::string name = AsciiLower(target);
  TFrameNode* dest = &from;
  if (name == "_top" || name == "_blank")
    dest = root_.get();
  else if (name == "_parent")
    dest = from.Parent ? from.Parent : root_.get();
  else if (!name.empty() && name != "_self")
    dest = FindFrame(*root_, target) ? FindFrame(*root_, target) : root_.get();
  if (dest->View && SameBookFile(expanded, dest->File)) {
    dest->View->ScrollToFragmentOf(expanded);
    return;
  }
  AddVisited(expanded);
  RememberScroll();
  framesLeft_ = kMaxFrames;
  if (!LoadIntoNode(*dest, expanded, dest->Depth())) return;
  active_ = dest;
  currentFile_ = expanded;
  AddHistory(expanded, dest->Title);
  CheckVisitedLinks();
}

void TFrameViewer::AddHistory(const std::string& file, const std::string& title) {
  if (history_.MaxCount() == 0) return;
  THistoryEntry entry;
  entry.File = file;
  entry.Title = title;
  entry.TopFile = root_->File;
  CollectFrames(*root_, entry);
  history_.Add(std::move(entry));
  if (OnHistoryChange) OnHistoryChange();
}

void TFrameViewer::CollectFrames(const TFrameNode& node, THistoryEntry& entry) const {
  if (!node.Name.empty() && node.View) entry.Frames.emplace_back(node.Name, node.File);
  for (const auto& child : node.Children) CollectFrames(*child, entry);
}

void TFrameViewer::RememberScroll() {
  if (THistoryEntry* entry = history_.Current())
    if (const TDocumentView* view = ActiveViewer()) entry->ScrollPos = view->VScrollPos();
}

void TFrameViewer::SetHistoryIndex(int index) {
  if (index == history_.Index() || index < 0 || index >= history_.Count()) return;
  RememberScroll();
  history_.SetIndex(index);
  const THistoryEntry entry = *history_.Current();
  framesLeft_ = kMaxFrames;
  if (!SameBookFile(root_->File, entry.TopFile)) LoadIntoNode(*root_, entry.TopFile, 0);
  for (const auto& [name, file] : entry.Frames) {
    TFrameNode* node = FindFrame(*root_, name);
    if (node && !SameBookFile(node->File, file)) LoadIntoNode(*node, file, node->Depth());
  }
  active_ = root_.get();
  std::function<void(TFrameNode&)> find = [&](TFrameNode& node) {
    if (node.View && SameBookFile(node.File, entry.File)) active_ = &node;
    for (auto& child : node.Children) find(*child);
  };
  find(*root_);
  if (TDocumentView* view = ActiveViewer()) {
    const std::string_view fragment = UrlFragment(entry.File);
    if (entry.ScrollPos == 0 && !fragment.empty())
      view->ScrollToAnchor(fragment);
    else
      view->SetVScrollPos(entry.ScrollPos);
  }
  currentFile_ = entry.File;
  if (OnHistoryChange) OnHistoryChange();
}

void TFrameViewer::Reload() {
  ForEachView(*root_, [](TDocumentView& view) { view.Reload(); });
}

void TFrameViewer::AddVisited(const std::string& dosFile) {
  if (visitedMax_ == 0) return;
  const std::string key = Cp1251LowerString(UrlWithoutFragment(dosFile));
  std::erase(visited_, key);
  visited_.push_front(key);
  while (int(visited_.size()) > visitedMax_) visited_.pop_back();
}

bool TFrameViewer::IsVisited(const std::string& dosFile) const {
  const std::string key = Cp1251LowerString(UrlWithoutFragment(dosFile));
  return std::find(visited_.begin(), visited_.end(), key) != visited_.end();
}

void TFrameViewer::CheckVisitedLinks() {
  ForEachView(*root_, [](TDocumentView& view) { view.RefreshVisited(); });
}

std::string TFrameViewer::DocumentTitle() const {
  const THistoryEntry* entry = const_cast<TPageHistory&>(history_).Current();
  return entry ? entry->Title : root_->Title;
}

std::string TFrameViewer::ExpandUrl(const std::string& url) const {
  const TDocumentView* view = ActiveViewer();
  return ExpandBookUrl(url,
                       view && !view->CurrentFile().empty() ? view->CurrentFile() : currentFile_);
}

TDocumentView* TFrameViewer::ActiveViewer() const {
  const TFrameNode* node = active_ ? active_ : root_.get();
  while (node && !node->View) node = node->Children.empty() ? nullptr : node->Children[0].get();
  return node ? node->View : nullptr;
}

TDocumentView* TFrameViewer::ViewerOfFrame(std::string_view name) const {
  TFrameNode* node = FindFrame(*root_, name);
  return node ? node->View : nullptr;
}

TFrameViewer::TFrameNode* TFrameViewer::FindFrame(TFrameNode& node, std::string_view name) const {
  if (name.empty()) return nullptr;
  if (!node.Name.empty() && Cp1251LowerString(node.Name) == Cp1251LowerString(name)) return &node;
  for (auto& child : node.Children)
    if (TFrameNode* found = FindFrame(*child, name)) return found;
  return nullptr;
}

void TFrameViewer::ForEachView(const TFrameNode& node,
                               const std::function<void(TDocumentView&)>& f) const {
  if (node.View) f(*node.View);
  for (const auto& child : node.Children) ForEachView(*child, f);
}

}  // namespace shelf
