// The frame viewer: shows a page or a frameset of pages, follows links into the frame they
// name (or `_top`, `_parent`, `_self`) after asking the link handler, and keeps the history of
// pages shown and the list of visited links. The rest of the program shows pages through it.
#pragma once

#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "html/document_view.h"
#include "html/page_history.h"
#include "html/viewer_settings.h"

namespace shelf {

class TBookStore;

class TFrameViewer : public QWidget {
  Q_OBJECT

 public:
  explicit TFrameViewer(const TBookStore& store, QWidget* parent = nullptr);
  ~TFrameViewer() override;

  // Settings reach every frame; pages show them after the next load or Reload.
  void SetSettings(const TViewerSettings& settings);
  const TViewerSettings& Settings() const { return settings_; }
  void SetHistoryMaxCount(int count) { history_.SetMaxCount(count); }
  int HistoryMaxCount() const { return history_.MaxCount(); }
  void SetVisitedMaxCount(int count);
  int VisitedMaxCount() const { return visitedMax_; }

  // Shows a file (a page or a frameset) in the whole viewer, as a new history entry. False
  // when it cannot be read; the viewer then keeps what it showed.
  bool LoadFromFile(const std::string& dosFile);
  const std::string& CurrentFile() const { return currentFile_; }
  std::string DocumentTitle() const;

  int HistoryCount() const { return history_.Count(); }
  const std::string& HistoryFile(int index) const { return history_.At(index).File; }
  const std::string& HistoryTitle(int index) const { return history_.At(index).Title; }
  int HistoryIndex() const { return history_.Index(); }
  void SetHistoryIndex(int index);
  bool CanGoBack() const { return history_.CanGoBack(); }
  bool CanGoForward() const { return history_.CanGoForward(); }
  void GoBack() { SetHistoryIndex(history_.Index() + 1); }
  void GoForward() { SetHistoryIndex(history_.Index() - 1); }
  // Parses every frame's page again (new fonts or colours), keeping scroll positions.
  void Reload();

  // A full file name joins the visited list (its oldest entries drop out beyond the maximum);
  // CheckVisitedLinks recolours the links of the pages on show.
  void AddVisited(const std::string& dosFile);
  void CheckVisitedLinks();
  bool IsVisited(const std::string& dosFile) const;

  // A URL of the active document as a full DOS file name (fragment kept).
  std::string ExpandUrl(const std::string& url) const;
  // The document of the frame last used (clicked or loaded), or the only one.
  TDocumentView* ActiveViewer() const;
  // The document of the frame with that name, null when there is none.
  TDocumentView* ViewerOfFrame(std::string_view name) const;

  std::function<void(const std::string& target, const std::string& url)> OnHotSpotTargetCovered;
  std::function<void(const std::string& target, const std::string& url, bool& handled)>
      OnHotSpotTargetClick;
  std::function<void()> OnHistoryChange;
  std::function<void(QPainter& canvas, int page, int width, int height, bool& stop)> OnPrintHeader;
  // A key pressed in `view`, the frame that has the keyboard.
  std::function<void(TDocumentView& view, QKeyEvent*)> OnKeyDown;
  std::function<void(QMouseEvent*)> OnMouseMove;
  std::function<void(QMouseEvent*)> OnMouseDown;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct TFrameNode;

  bool LoadIntoNode(TFrameNode& node, const std::string& file, int depth);
  void BuildFrameSet(TFrameNode& node, const TFrameSetLayout& spec, int depth);
  void Install(TFrameNode& node, QWidget* widget);
  TDocumentView* MakeView(TFrameNode& node);
  void RouteClick(TFrameNode& from, const std::string& target, const std::string& url,
                  bool& handled);
  TFrameNode* FindFrame(TFrameNode& node, std::string_view name) const;
  void CollectFrames(const TFrameNode& node, THistoryEntry& entry) const;
  void ForEachView(const TFrameNode& node, const std::function<void(TDocumentView&)>& f) const;
  void RememberScroll();
  void AddHistory(const std::string& file, const std::string& title);

  const TBookStore& store_;
  TViewerSettings settings_;
  std::unique_ptr<TFrameNode> root_;
  TFrameNode* active_ = nullptr;
  TPageHistory history_;
  std::deque<std::string> visited_;  // lower case, newest first
  int visitedMax_ = 20;
  std::string currentFile_;
  int framesLeft_ = 0;  // frames the load under way may still open
};

}  // namespace shelf
