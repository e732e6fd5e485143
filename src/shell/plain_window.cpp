#include "shell/plain_window.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "html/book_url.h"
#include "html/document_view.h"
#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "shell/plain_tool_bar.h"
#include "shell/plain_window_layout.h"
#include "store/book_text.h"
#include "widgets/book_picture.h"
#include "widgets/panel_bkgrd.h"

namespace shelf {

void ScrollToShownAnchor(TFrameViewer* viewer) {
  TDocumentView* page = viewer ? viewer->ActiveViewer() : nullptr;
  const std::string_view anchor = viewer ? UrlFragment(viewer->CurrentFile()) : "";
  if (page && !anchor.empty()) page->ScrollToAnchor(anchor);
}

TPlainWindow::TPlainWindow(TPlainWindowHost& host, const TBookStore& store, TPlainRole role)
    : host_(host), store_(store), role_(std::move(role)) {}

TPlainWindow::~TPlainWindow() = default;

TFrameViewer* TPlainWindow::Viewer() const {
  const THtmlFrame* pages = host_.PageAreas();
  return pages ? pages->CurrentScreenViewer() : nullptr;
}

void TPlainWindow::Enter() {
  if (shown_) return;
  shown_ = true;
  QWidget& window = host_.Window();
  host_.ShowDrawnPieces(false);
  drawnGeometry_ = window.geometry();
  if (const TPanelBkgrd* panel = host_.BackgroundPanel()) panelGeometry_ = panel->geometry();
  // The drawn window's outline stays with the main window for the way back.
  window.clearMask();
  QPalette face = window.palette();
  face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  window.setPalette(face);
  const bool wasVisible = window.isVisible();
  window.setWindowFlags(Qt::Window);
  window.setMinimumSize(0, 0);
  window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  window.setAcceptDrops(true);
  if (!bar_) {
    bar_ = std::make_unique<TPlainToolBar>(window, !role_.OwnWindow);
    bar_->OnBack = [this] { host_.DispatchCommand("back"); };
    bar_->OnForward = [this] { host_.DispatchCommand("forward"); };
    bar_->OnPrint = [this] {
      if (THtmlFrame* pages = host_.PageAreas()) pages->PrintPage("");
    };
    bar_->OnLeave = [this] { Leave(); };
    bar_->OnHistoryIndex = [this](int index) {
      if (THtmlFrame* pages = host_.PageAreas()) pages->SetHistoryIndex(index);
    };
  }
  bar_->SetShown(true);
  UpdateHistoryMenus();

  const std::string& shown = role_.ShownFile;
  const std::string picture = shown.substr(0, shown.find('#'));
  const QSize pictureSize = picture.empty() ? QSize() : LoadBookPicture(store_, picture).size();
  window.resize(PlainWindowSize(shown, window.size(), pictureSize));
  const QScreen* display = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (display) window.move(PlainWindowPosition(window.size(), display->availableGeometry()));
  if (role_.OwnWindow)
    window.show();
  else if (wasVisible)
    window.showMaximized();
  if (THtmlFrame* pages = host_.PageAreas()) pages->FillWindow(bar_->ClientArea());
  if (role_.OwnWindow) ScrollToShownAnchor(Viewer());
}

void TPlainWindow::Leave() {
  if (!shown_) return;
  shown_ = false;
  QWidget& window = host_.Window();
  bar_->SetShown(false);
  QPalette white = window.palette();
  white.setColor(QPalette::Window, Qt::white);
  window.setPalette(white);
  window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  window.showNormal();
  host_.RestoreDrawnShape();
  window.move(drawnGeometry_.topLeft());
  if (THtmlFrame* pages = host_.PageAreas()) pages->RestoreArea(panelGeometry_);
  host_.ShowDrawnPieces(true);
  window.setAcceptDrops(true);
  window.setWindowTitle(ToQString(role_.Title));
  window.show();
}

void TPlainWindow::Resized() {
  if (!shown_ || !bar_) return;
  bar_->SetShown(true);
  if (THtmlFrame* pages = host_.PageAreas()) pages->FillWindow(bar_->ClientArea());
}

void TPlainWindow::UpdateHistoryMenus() {
  if (!bar_) return;
  const TFrameViewer* viewer = Viewer();
  if (!viewer) {
    bar_->ShowHistory({}, false, false);
    return;
  }
  std::vector<std::string> files, titles;
  for (int i = 0; i < viewer->HistoryCount(); ++i) {
    files.push_back(viewer->HistoryFile(i));
    titles.push_back(viewer->HistoryTitle(i));
  }
  bar_->ShowHistory(HistoryMenus(files, titles, viewer->HistoryIndex()), viewer->CanGoBack(),
                    viewer->CanGoForward());
  UpdateCaption();
}

void TPlainWindow::UpdateCaption() {
  if (!shown_ || role_.Thesaurus) return;
  // Other copies and the shell's closing find help and picture windows by these captions.
  if (role_.Help) return;
  QWidget& window = host_.Window();
  if (role_.OwnWindow) {
    window.setWindowTitle(QString::fromUtf8("Увеличенная картинка"));
    QCoreApplication::setApplicationName(window.windowTitle());
    return;
  }
  const TFrameViewer* viewer = Viewer();
  const std::string page = viewer ? TrimText(viewer->DocumentTitle()) : std::string();
  const QString title = ToQString(role_.Title);
  window.setWindowTitle(page.empty() ? title : ToQString(page) + QString::fromUtf8(" — ") + title);
}

}  // namespace shelf
