// The page areas of the book's screens: one frame viewer per screen that has page areas, put
// on the screen when it is shown, loading the pages the commands ask for, keeping the reader's
// page font and colours in the settings, showing picture hints and copying pages out.
#pragma once

#include <QObject>
#include <QRect>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "book/element_records.h"
#include "html/page_object.h"
#include "pages/link_commands.h"
#include "pages/section_trails.h"
#include "platform/shell_open.h"

class QLabel;
class QPainter;
class QWidget;

namespace shelf {

class TFrameViewer;
class TDocumentView;
class TPreviewForm;
class TBookStore;
class TDosFileSystem;
class TTextMsg;
class TStatusLine;
class TPathInputBox;
class TPanelBkgrd;
struct TBookFolders;

// The settings a page area reads at start and writes back at the end.
struct TPageFontSettings {
  std::string FontName = "Arial";
  std::uint32_t FontColor = 0;
  int FontSize = 8;
  std::uint32_t HotSpotColor = 0x003366;
  std::uint32_t Background = 0xFFFFFF;
};

// What the page areas need of the main window.
class THtmlFrameHost {
 public:
  virtual ~THtmlFrameHost() = default;
  virtual int CurrentScreen() const = 0;
  virtual QWidget& Window() = 0;
  // The panel of the reading screen; the page of that screen is placed on it.
  virtual TPanelBkgrd* BackgroundPanel() const = 0;
  virtual TTextMsg* TextMessages() const = 0;
  virtual TStatusLine* StatusLine() const = 0;
  virtual TPathInputBox* PathInputs() const = 0;
  // A pointer move over a page ends the highlights of the window's buttons.
  virtual void PointerLeftElements() = 0;
  // The archive flag of the current area after it showed `page`; without an archive reader
  // it stays as it is.
  virtual bool ListingFlag(bool archiveMode, const std::string& page) {
    (void)page;
    return archiveMode;
  }
  // Asks the reader for the pages' font and colours, preset with `fonts`; false when the
  // reader cancelled (or there is no one to ask), `fonts` then stays as it was.
  virtual bool ChooseFonts(TPageFontSettings& fonts) {
    (void)fonts;
    return false;
  }
};

class THtmlFrame : public QObject {
 public:
  // The screen whose page sits on the background panel.
  static constexpr int kReadingScreen = 1;

  // Builds one viewer per screen with page areas (none for an empty list: use
  // CreateHtmlFrame) and shows the page of the current screen.
  THtmlFrame(THtmlFrameHost& host, const TBookStore& store, const TDosFileSystem& fileSystem,
             const TBookFolders& folders, const TDynamicHTMLArray& areas, std::string settingsKey);
  // Writes the current viewer's font and colours to the settings.
  ~THtmlFrame() override;

  // After every screen change: shows the current screen's page, hides the previous one.
  void ShowScreenPage();
  // Shows `page` (a full file name; empty: the area's start page) in the area numbered `number`;
  // an area on another screen gets its page loaded while hidden, ready for that screen.
  void ShowPage(int number, const std::string& page);
  // Loads `file` into the current screen's viewer as if a link to it had been followed.
  void OpenLinkedPage(const std::string& file);
  TFrameViewer* CurrentScreenViewer() const;
  bool ArchiveMode() const;
  void SetArchiveMode(bool value);
  void SetHistoryIndex(int index);
  // The plain window: the current page (with the panel it sits on) fills `client`.
  void FillWindow(const QRect& client);
  // Back to the drawn window: the panel to `panelArea`, the page to its area.
  void RestoreArea(const QRect& panelArea);
  void SelectAll();
  // Copies the selection of the current viewer's active document to the clipboard.
  void CopySelection();
  void ScrollToTop();
  // The font dialog, preset with the current viewer's font and colours; OK gives the choice to
  // every viewer and reloads the page on show.
  void ChooseFonts();
  // Gives the font and colours to every viewer and reloads the current one.
  void ApplyFonts(const TPageFontSettings& fonts);
  // Copies the page on show and its "<page>.files" folder into the path box's folder.
  void CopyPageFiles();

  // The text the status shows for a link under the pointer (empty: clear it).
  std::string LinkStatusText(const std::string& target, const std::string& url) const;
  // "Страница N" at the top right of a printed page, when a document is on show.
  void DrawPrintHeader(QPainter& canvas, int page, int width) const;
  // The height of the printed page's band that the page number takes: content starts below.
  static int PageNumberBand();
  // Prints with preview: `file` (a full file name) through a hidden viewer of its own, or the
  // page on show when it is empty. Failures end it silently.
  void PrintPage(const std::string& file);
  // A print request from another copy: print the next file as a picture of this size in pixels
  // (0: not known). Cleared once that file is printed.
  bool PrintPicture = false;
  int PrintPictureWidth = 0;
  int PrintPictureHeight = 0;
  // How the preview reports a missing printer (the drawn dialog's page or a warning).
  std::function<void(int dialogPage, const std::string& warning)> PrinterNotice;
  // Runs a preview that is ready to show; tests replace it to drive the window themselves.
  std::function<void(TPreviewForm& preview)> ShowPreview;
  // F1 and the help button of the preview.
  std::function<void()> PreviewHelp;

  // Section trails: a button command about to show `page` makes it (or the trail holding it)
  // the current trail of the current viewer.
  void AddSectionTrail(const std::string& page);
  // Back and forward: false (with a beep) when the viewer cannot go there. When the page
  // changed, `presses` receives the corners of the screen's switches that belong to the section
  // of the page reached, to be Shift-pressed.
  bool GoBack(const RScreen& screen, std::vector<QPoint>& presses) {
    return GoBy(1, screen, presses);
  }
  bool GoForward(const RScreen& screen, std::vector<QPoint>& presses) {
    return GoBy(-1, screen, presses);
  }
  // The titles of the current viewer's history (index 0 newest) and the entry on show; false
  // without a current viewer.
  bool HistoryTitles(std::vector<std::string>& titles, int& current) const;
  // The title, file and scroll position of the page on show, for a favorite.
  bool CurrentPlace(std::string& title, std::string& file, int& position) const;
  // Opens `file` as a link would and scrolls it to `position` (a favorite).
  void OpenPageAt(const std::string& file, int position);
  // Run after every history change of a viewer, once the page area has done its part.
  std::function<void()> AfterHistoryChange;
  // A mouse press on a page, at its screen point; `contextMenu`: the right button alone.
  std::function<void(QPoint screenPoint, bool contextMenu)> OnPagePress;

  // Picture hints: one step of the 200 ms hint timer (tests drive it directly).
  void HintTick();
  bool HintShown() const;
  const TPageFontSettings& FontSettings() const { return fonts_; }
  int ViewerCount() const { return static_cast<int>(viewers_.size()); }
  // The link handler every viewer asks before following a link.
  TLinkCommands& Links() { return links_; }

 private:
  struct TArea {
    QRect Rect;
    std::string StartPage;
    std::int32_t Number, Screen;
  };
  int ViewerOf(int screen) const;
  bool Load(TFrameViewer& viewer, const std::string& page);
  void Place(TFrameViewer& viewer, const TArea& area);
  void Hide(TFrameViewer& viewer);
  void ReadFontSettings();
  void HistoryChanged(TFrameViewer& viewer);
  bool GoBy(int step, const RScreen& screen, std::vector<QPoint>& presses);
  void PointerMoved(TFrameViewer& viewer, QPoint at);
  void StopHint();
  static TPageObject PictureAt(const TDocumentView* view, QPoint at);
  void RunPreview(TDocumentView& view, bool picture, QSize pictureSize);
  static void DrawPageNumber(QPainter& canvas, int page, int width);

  THtmlFrameHost& host_;
  const TBookStore& store_;
  const TDosFileSystem& fileSystem_;
  const TBookFolders& folders_;
  std::string settingsKey_;
  TPageFontSettings fonts_;
  TShellOpen desktop_;
  TLinkCommands links_;
  std::vector<std::unique_ptr<TFrameViewer>> viewers_;
  std::vector<int> viewerScreens_;
  std::vector<std::uint8_t> archiveFlags_;
  std::vector<TSectionTrails> sectionTrails_;  // per viewer
  std::vector<TArea> areas_;
  int currentViewer_ = -1;
  int currentArea_ = -1;
  int previousScreen_ = -1;

  QTimer hintTimer_;
  std::unique_ptr<QLabel> hintWindow_;
  std::string hintedPicture_;  // the picture whose hint is (or was last) shown
  bool hintShown_ = false;
  int hintTicks_ = 0;
};

// The page areas, or none when the description has no page area.
std::unique_ptr<THtmlFrame> CreateHtmlFrame(THtmlFrameHost& host, const TBookStore& store,
                                            const TDosFileSystem& fileSystem,
                                            const TBookFolders& folders,
                                            const TDynamicHTMLArray& areas,
                                            std::string settingsKey);

}  // namespace shelf
