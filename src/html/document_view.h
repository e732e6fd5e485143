// The single-document viewer: shows one page (or is the host of a frameset's description),
// scrolls it, selects and copies its text, finds text from the caret, reports links under the
// pointer and clicks on them, lists its form controls and prints it page by page.
#pragma once

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "html/form_control.h"
#include "html/frame_set_layout.h"
#include "html/page_canvas.h"
#include "html/page_object.h"
#include "html/text_search.h"
#include "html/viewer_settings.h"

namespace shelf {

class TBookStore;
class TImageStore;
class TPageDocument;

class TDocumentView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TDocumentView(const TBookStore& store, QWidget* parent = nullptr);
  ~TDocumentView() override;

  // Settings take effect with the next load (or Reload).
  void SetSettings(const TViewerSettings& settings);
  const TViewerSettings& Settings() const { return settings_; }
  // Which expanded link targets count as visited (the frame viewer's visited list).
  void SetVisitedTest(std::function<bool(const std::string&)> test);

  // Reads a page through a book stream; false (and the view unchanged) when it cannot be read.
  // A "#fragment" scrolls to that anchor.
  bool LoadFile(const std::string& dosFile);
  // Shows page bytes (Windows-1251 unless they declare a charset) as if they were `dosFile`.
  void LoadString(std::string_view bytes, const std::string& dosFile = {});
  // Parses the page again (new settings, visited colours), keeping the scroll position.
  void Reload();
  // Reloads when a link of the page has become visited (or stopped being) since it was parsed.
  void RefreshVisited();
  const std::string& CurrentFile() const { return file_; }
  std::string DocumentTitle() const;
  // The frameset the page describes instead of a body, if it does.
  std::optional<TFrameSetLayout> FrameSet() const;

  // Finds `text` (Windows-1251) after the caret or the selection; selects the match, scrolls to
  // it and moves the caret behind it. False when there is no further match.
  bool FindNext(std::string_view text, bool matchCase);
  // The same with the stretch a finder gives (word forms, say).
  bool FindNext(const TTextFinder& finder);
  void SetCaret(int position);  // clears the selection
  int Caret() const { return caret_; }
  void SelectAll();
  std::string SelectedText() const;  // Windows-1251, '\n' between blocks
  void CopyToClipboard() const;
  // The page's text as the find works on it.
  const std::string& PageText() const;

  void ScrollToTop() { SetVScrollPos(0); }
  int VScrollPos() const;
  void SetVScrollPos(int pixels);  // kept within the document
  int DocumentHeight() const;
  // The page as laid out for the view's width, whole (or its top `maxHeight` pixels), on a
  // picture as wide as the page is: what a reader sees by scrolling it everywhere.
  QImage PageImage(int maxHeight) const;
  bool ScrollToAnchor(std::string_view name);
  // To the anchor that the fragment of `url` names; to the top when it names none the page has.
  void ScrollToFragmentOf(std::string_view url);

  std::vector<TFormControl> FormControls() const;
  // What lies under a point of the view (view pixels).
  TPageObject ObjectAt(QPoint point) const;
  // The pixel size of the picture decoded last.
  QSize LastPictureSize() const;

  // Prints pages [fromPage, toPage] (1-based) at `scale` onto `canvas`; returns the number of
  // pages the document has at that scale. Page breaks never cut a line or a picture.
  int PrintPages(TPageCanvas& canvas, double scale, int fromPage = 1, int toPage = 1 << 30);
  double PrintMarginCm = 2.0;

  // Events. A click on a link asks OnHotSpotTargetClick first; when it leaves `handled` false
  // the view follows the link itself (an anchor of this page or another file).
  std::function<void(const std::string& target, const std::string& url)> OnHotSpotTargetCovered;
  std::function<void(const std::string& target, const std::string& url, bool& handled)>
      OnHotSpotTargetClick;
  std::function<void(QKeyEvent*)> OnKeyDown;
  std::function<void(QMouseEvent*)> OnMouseMove;
  std::function<void(QMouseEvent*)> OnMouseDown;
  // Printing: the page event before each page (0 before the first) and the page header, which
  // draws in the settings' PrintHeaderHeight band above the content.
  std::function<void(int page, bool& stop)> OnPageEvent;
  std::function<void(QPainter& canvas, int page, int width, int height, bool& stop)> OnPrintHeader;

  // Follows a link as a click does when nobody handles it.
  void FollowLink(const std::string& url);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Parse();
  void Relayout();
  void UpdateScrollBars();
  void ScrollIntoView(const QRect& box);
  QPoint ToDocument(QPoint viewPoint) const;
  void SetHover(const void* anchor, const std::string& target, const std::string& url);

  const TBookStore& store_;
  TViewerSettings settings_;
  std::unique_ptr<TImageStore> images_;
  std::unique_ptr<TPageDocument> page_;
  std::vector<std::unique_ptr<TPageDocument>> retired_;
  std::function<bool(const std::string&)> visited_;
  std::string file_;
  std::string utf8_;
  int layoutWidth_ = -1;
  int caret_ = 0;
  int selStart_ = 0, selEnd_ = 0;
  int dragAnchor_ = -1;
  QPoint pressPoint_;
  bool dragging_ = false;
  const void* hovered_ = nullptr;
  QElapsedTimer clock_;
  QTimer animation_;
};

}  // namespace shelf
