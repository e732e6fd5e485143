// The plain window: the drawn, shaped book window turned into an ordinary sizeable one with a
// toolbar and the page filling it, and back; the help and picture windows are plain from the
// start. Keeps the toolbar's history menus and the window's caption in step with the page.
#pragma once

#include <QRect>
#include <memory>
#include <string>

class QWidget;

namespace shelf {

class TBookStore;
class TFrameViewer;
class THtmlFrame;
class TPanelBkgrd;
class TPlainToolBar;

// What the plain window needs of the main window.
class TPlainWindowHost {
 public:
  virtual ~TPlainWindowHost() = default;
  virtual QWidget& Window() = 0;
  virtual THtmlFrame* PageAreas() const = 0;
  virtual TPanelBkgrd* BackgroundPanel() const = 0;
  // The drawn window's own pieces (find and path boxes, hint controls, the busy picture) hide
  // in the plain window and come back after it.
  virtual void ShowDrawnPieces(bool shown) = 0;
  // The drawn window's fixed size and outline again.
  virtual void RestoreDrawnShape() = 0;
  virtual void DispatchCommand(const std::string& command) = 0;
};

// Which window turns plain: the book window, or a help or picture window of its own.
struct TPlainRole {
  bool OwnWindow = false;  // a help or picture window: it cannot go back to a drawn one
  bool Help = false;
  bool Thesaurus = false;
  std::string Title;      // Windows-1251
  std::string ShownFile;  // the file a help or picture window was started with
};

class TPlainWindow {
 public:
  TPlainWindow(TPlainWindowHost& host, const TBookStore& store, TPlainRole role);
  ~TPlainWindow();

  bool Shown() const { return shown_; }
  void Enter();
  void Leave();
  // The toolbar's back and forward buttons and menus follow the page viewer's history.
  void UpdateHistoryMenus();
  // The page fills the window's new client area.
  void Resized();
  TPlainToolBar* ToolBar() const { return bar_.get(); }

 private:
  // The caption after a page change: the book's plain window names the page.
  void UpdateCaption();
  TFrameViewer* Viewer() const;

  TPlainWindowHost& host_;
  const TBookStore& store_;
  TPlainRole role_;
  bool shown_ = false;
  std::unique_ptr<TPlainToolBar> bar_;
  QRect drawnGeometry_;  // the drawn window's place and the panel's, kept while plain
  QRect panelGeometry_;
};

// Scrolls the page on show to the anchor its name carries: a start page was laid out before its
// window had its size, so its anchor is found again once it has.
void ScrollToShownAnchor(TFrameViewer* viewer);

}  // namespace shelf
