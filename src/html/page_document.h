// One laid-out page (private to the page engine): the layout engine's document with its
// container, and an index of its words, spaces, pictures and controls in reading order that
// finding, selecting, copying, hit testing and page breaking work on.
#pragma once

#include <litehtml/litehtml.h>

#include <QColor>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "html/form_control.h"
#include "html/frame_set_layout.h"
#include "html/page_object.h"
#include "html/qt_container.h"

class QPainter;

namespace shelf {

class TAnchorElement;

struct TPageItem {
  enum TKind { Word, Space, Picture, Control };
  TKind Kind = Word;
  litehtml::element* Element = nullptr;
  QRect Rect;  // document pixels; empty for spaces the layout left out
  int TextStart = 0;
  int TextLength = 0;  // in Text(); 0 for pictures and controls
};

class TPageDocument {
 public:
  TPageDocument(const TBookStore& store, TImageStore& images, const TViewerSettings& settings);
  ~TPageDocument();

  TQtContainer& Container() { return *container_; }

  // Parses the page (UTF-8) that lives at `dosFile`.
  void Load(const std::string& utf8, const std::string& dosFile);
  // Lays the page out for a width and rebuilds the index.
  void Layout(int width, QSize viewport);
  int Width() const;
  int Height() const;

  // Paints the part `area` of the page (document pixels) with its top left at the painter's
  // origin, the characters [selStart, selEnd) of Text() highlighted.
  void Draw(QPainter& painter, const QRect& area, int selStart, int selEnd);

  std::string Title() const;  // Windows-1251
  std::string BaseTarget() const { return baseTarget_; }
  std::optional<TFrameSetLayout> FrameSet() const;
  std::optional<int> AnchorTop(std::string_view name) const;

  // The page's text in reading order (Windows-1251): words, single spaces, '\n' between blocks.
  const std::string& Text() const { return text_; }
  const std::vector<TPageItem>& Items() const { return items_; }
  int ItemAt(QPoint point) const;
  // The text position nearest to a point (for the caret and dragging).
  int PositionAt(QPoint point) const;
  TPageObject ObjectAt(QPoint point) const;
  // The link (an <a> with href) at a point, or null.
  const litehtml::element* LinkAt(QPoint point) const;
  // The box of the first item of a text range.
  QRect RangeTop(int start, int end) const;

  bool VisitedChanged() const;
  std::vector<TFormControl> FormControls() const;
  // Puts the control widgets where their elements are, the view scrolled by `scroll`.
  void PlaceControls(QPoint scroll, bool visible);
  // Page tops (document pixels) for pages `pageHeight` high that cut no line and no picture,
  // starting with 0; at most `maxPages` of them.
  std::vector<int> PageTops(int pageHeight, int maxPages) const;

 private:
  // Indexes an element and what it holds; returns the box they cover. `origin` is where the
  // parent's content box lies on the page.
  QRect Walk(const litehtml::element::ptr& el, QPoint origin);
  void BreakLine();
  void AddItem(TPageItem item);
  QColor CanvasColor(const litehtml::background** image) const;
  int TextX(const TPageItem& item, int offset) const;

  TViewerSettings settings_;
  litehtml::context context_;
  std::unique_ptr<TQtContainer> container_;
  litehtml::document::ptr doc_;
  std::string baseTarget_;
  std::string text_;
  std::vector<TPageItem> items_;
  std::vector<const TAnchorElement*> links_;
  std::unordered_map<std::string, int> anchors_;
  std::vector<std::string> pendingAnchors_;
};

}  // namespace shelf
