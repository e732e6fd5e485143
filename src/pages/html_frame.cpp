#include "pages/html_frame.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSplitter>
#include <algorithm>
#include <filesystem>

#include "html/book_url.h"
#include "html/frame_viewer.h"
#include "pages/page_files_copy.h"
#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "platform/font_table.h"
#include "platform/registry.h"
#include "print/preview_form.h"
#include "store/book_folders.h"
#include "store/book_path.h"
#include "store/book_store.h"
#include "store/book_text.h"
#include "widgets/book_color.h"
#include "widgets/panel_bkgrd.h"
#include "widgets/path_input_box.h"
#include "widgets/status_line.h"
#include "widgets/text_msg.h"

namespace shelf {
namespace fs = std::filesystem;

namespace {

constexpr int kHistoryMaxCount = 10;
constexpr int kVisitedMaxCount = 20;
constexpr std::uint32_t kOverLinkColor = 0x0000FF;  // red
constexpr int kHintInterval = 200;                  // ms
constexpr int kHintFirstTick = 2;                   // shown at the second tick
constexpr int kHintLastTick = 20;                   // gone after the twentieth
constexpr int kHintMaxWidth = 300;
constexpr int kHintBelowPointer = 18;
constexpr int kTitleLabel = 1;  // the text label that shows the page title

int HistoryEntryOf(const TFrameViewer& viewer, const std::string& file) {
  for (int i = 0; i < viewer.HistoryCount(); ++i)
    if (SameBookFile(viewer.HistoryFile(i), file)) return i;
  return -1;
}

}  // namespace

std::unique_ptr<THtmlFrame> CreateHtmlFrame(THtmlFrameHost& host, const TBookStore& store,
                                            const TDosFileSystem& fileSystem,
                                            const TBookFolders& folders,
                                            const TDynamicHTMLArray& areas,
                                            std::string settingsKey) {
  if (areas.empty()) return nullptr;
  return std::make_unique<THtmlFrame>(host, store, fileSystem, folders, areas,
                                      std::move(settingsKey));
}

THtmlFrame::THtmlFrame(THtmlFrameHost& host, const TBookStore& store,
                       const TDosFileSystem& fileSystem, const TBookFolders& folders,
                       const TDynamicHTMLArray& areas, std::string settingsKey)
    : host_(host),
      store_(store),
      fileSystem_(fileSystem),
      folders_(folders),
      settingsKey_(std::move(settingsKey)),
      links_(*this, host, store, fileSystem, folders, desktop_) {
  for (const RHTML& area : areas)
    if (std::find(viewerScreens_.begin(), viewerScreens_.end(), area.Screen) ==
        viewerScreens_.end())
      viewerScreens_.push_back(area.Screen);
  archiveFlags_.assign(viewerScreens_.size(), 0);
  sectionTrails_.resize(viewerScreens_.size());
  ReadFontSettings();

  TViewerSettings settings;
  settings.DefFontName = fonts_.FontName;
  settings.DefFontColor = fonts_.FontColor;
  settings.DefFontSize = fonts_.FontSize;
  settings.DefHotSpotColor = fonts_.HotSpotColor;
  settings.DefBackground = fonts_.Background;
  settings.DefOverLinkColor = kOverLinkColor;
  settings.fvOptions = fvNoBorder | fvOverLinksActive;
  settings.ImageCacheCount = 0;
  settings.PrintHeaderHeight = PageNumberBand();
  for (size_t i = 0; i < viewerScreens_.size(); ++i) {
    auto viewer = std::make_unique<TFrameViewer>(store_, &host_.Window());
    TFrameViewer& v = *viewer;
    v.hide();
    v.setGeometry(0, 0, 0, 0);
    v.SetSettings(settings);
    v.SetHistoryMaxCount(kHistoryMaxCount);
    v.SetVisitedMaxCount(kVisitedMaxCount);
    v.OnHistoryChange = [this, &v] { HistoryChanged(v); };
    v.OnHotSpotTargetClick = [this, &v](const std::string& target, const std::string& url,
                                        bool& handled) {
      links_.HandleLinkClick(v, target, url, handled);
    };
    v.OnMouseMove = [this, &v](QMouseEvent* event) {
      PointerMoved(v, event->position().toPoint());
    };
    // Copy from the frame that has the keyboard, which need not be the frame a link filled.
    v.OnKeyDown = [](TDocumentView& view, QKeyEvent* event) {
      const bool copy = event->key() == Qt::Key_C || event->key() == Qt::Key_Insert;
      if (copy && event->modifiers() == Qt::ControlModifier) view.CopyToClipboard();
    };
    v.OnMouseDown = [this](QMouseEvent* event) {
      const bool rightOnly = event->buttons() == Qt::RightButton && event->modifiers() == 0;
      StopHint();  // a press may open a menu here: no hint stays over its items
      if (OnPagePress) OnPagePress(event->globalPosition().toPoint(), rightOnly);
    };
    v.OnPrintHeader = [this](QPainter& canvas, int page, int width, int, bool&) {
      DrawPrintHeader(canvas, page, width);
    };
    viewers_.push_back(std::move(viewer));
  }
  for (const RHTML& a : areas)
    areas_.push_back({QRect(a.Left, a.Top, a.Right - a.Left, a.Bottom - a.Top), a.StartPage,
                      a.Number, a.Screen});

  hintTimer_.setInterval(kHintInterval);
  connect(&hintTimer_, &QTimer::timeout, this, &THtmlFrame::HintTick);
  hintWindow_ = std::make_unique<QLabel>(nullptr, Qt::ToolTip);
  hintWindow_->setWordWrap(true);
  hintWindow_->setMargin(3);
  hintWindow_->setAutoFillBackground(true);
  QPalette palette = hintWindow_->palette();
  palette.setColor(QPalette::Window, FromBookColor(0xFFFFE1));
  hintWindow_->setPalette(palette);
  ShowScreenPage();
}

THtmlFrame::~THtmlFrame() {
  hintTimer_.stop();
  const TFrameViewer* viewer = currentViewer_ >= 0 ? viewers_[currentViewer_].get() : nullptr;
  if (!viewer) return;
  const TViewerSettings& s = viewer->Settings();
  TRegistry settings;
  if (!settings.OpenKey(settingsKey_, true)) return;
  settings.WriteString("FontName", s.DefFontName);
  settings.WriteInteger("FontColor", static_cast<std::int32_t>(s.DefFontColor));
  settings.WriteInteger("FontSize", s.DefFontSize);
  settings.WriteInteger("HotSpotColor", static_cast<std::int32_t>(s.DefHotSpotColor));
  settings.WriteInteger("Background", static_cast<std::int32_t>(s.DefBackground));
}

void THtmlFrame::ChooseFonts() {
  TFrameViewer* viewer = CurrentScreenViewer();
  if (!viewer && !viewers_.empty()) viewer = viewers_.front().get();
  if (!viewer) return;
  const TViewerSettings& s = viewer->Settings();
  TPageFontSettings fonts{s.DefFontName, s.DefFontColor, s.DefFontSize, s.DefHotSpotColor,
                          s.DefBackground};
  if (host_.ChooseFonts(fonts)) ApplyFonts(fonts);
}

void THtmlFrame::ApplyFonts(const TPageFontSettings& fonts) {
  fonts_ = fonts;
  for (const auto& viewer : viewers_) {
    TViewerSettings settings = viewer->Settings();
    settings.DefFontName = fonts.FontName;
    settings.DefFontColor = fonts.FontColor;
    settings.DefFontSize = fonts.FontSize;
    settings.DefHotSpotColor = fonts.HotSpotColor;
    settings.DefBackground = fonts.Background;
    viewer->SetSettings(settings);
  }
  if (TFrameViewer* viewer = CurrentScreenViewer()) viewer->Reload();
}

void THtmlFrame::ReadFontSettings() {
  TRegistry settings;
  if (!settings.OpenKey(settingsKey_, true)) return;
  if (const auto name = settings.ReadString("FontName"); name && !name->empty())
    fonts_.FontName = *name;
  if (const auto v = settings.ReadInteger("FontColor")) fonts_.FontColor = *v;
  if (const auto v = settings.ReadInteger("FontSize")) fonts_.FontSize = *v;
  if (const auto v = settings.ReadInteger("HotSpotColor")) fonts_.HotSpotColor = *v;
  if (const auto v = settings.ReadInteger("Background")) fonts_.Background = *v;
}

int THtmlFrame::ViewerOf(int screen) const {
  const auto it = std::find(viewerScreens_.begin(), viewerScreens_.end(), screen);
  return it == viewerScreens_.end() ? -1 : static_cast<int>(it - viewerScreens_.begin());
}

bool THtmlFrame::Load(TFrameViewer& viewer, const std::string& page) {
  const int entry = HistoryEntryOf(viewer, page);
  if (entry >= 0) {
    viewer.SetHistoryIndex(entry);
    return true;
  }
  return !page.empty() && viewer.LoadFromFile(page);
}

void THtmlFrame::Place(TFrameViewer& viewer, const TArea& area) {
  TPanelBkgrd* panel = host_.BackgroundPanel();
  if (host_.CurrentScreen() == kReadingScreen && panel) {
    QSplitter* splitter = panel->Splitter();
    if (splitter->indexOf(&viewer) < 0) splitter->addWidget(&viewer);
    viewer.show();
    // The panel is the page's only way onto the screen: show it with the page.
    panel->show();
    return;
  }
  if (viewer.parentWidget() != &host_.Window()) viewer.setParent(&host_.Window());
  viewer.setGeometry(area.Rect);
  viewer.show();
  viewer.raise();
}

void THtmlFrame::Hide(TFrameViewer& viewer) {
  viewer.hide();
  TPanelBkgrd* panel = host_.BackgroundPanel();
  if (panel && panel->isAncestorOf(&viewer)) panel->hide();
}

void THtmlFrame::ShowScreenPage() {
  const int screen = host_.CurrentScreen();
  const auto area = std::find_if(areas_.begin(), areas_.end(),
                                 [&](const TArea& a) { return a.Screen == screen; });
  if (area != areas_.end()) {
    currentArea_ = static_cast<int>(area - areas_.begin());
    currentViewer_ = ViewerOf(screen);
    TFrameViewer& viewer = *viewers_[currentViewer_];
    bool ok = true;
    if (viewer.HistoryCount() == 0)
      ok = viewer.LoadFromFile(area->StartPage);
    else if (viewer.ActiveViewer())
      viewer.ActiveViewer()->ScrollToTop();
    if (ok)
      Place(viewer, *area);
    else
      Hide(viewer);
  }
  if (previousScreen_ != screen) {
    const int previous = ViewerOf(previousScreen_);
    if (previous >= 0 && previous != ViewerOf(screen)) Hide(*viewers_[previous]);
  }
  previousScreen_ = screen;
}

void THtmlFrame::ShowPage(int number, const std::string& page) {
  const auto area = std::find_if(areas_.begin(), areas_.end(),
                                 [&](const TArea& a) { return a.Number == number; });
  if (area == areas_.end()) return;
  TFrameViewer& viewer = *viewers_[ViewerOf(area->Screen)];
  if (area->Screen == host_.CurrentScreen()) {
    if (!Load(viewer, page.empty() ? area->StartPage : page)) {
      Hide(viewer);
      return;
    }
    Place(viewer, *area);
    if (viewer.ActiveViewer()) viewer.ActiveViewer()->ScrollToTop();
    currentArea_ = static_cast<int>(area - areas_.begin());
    return;
  }
  // Another screen's page is loaded now, out of sight, so that it is ready there.
  viewer.setGeometry(0, 0, 0, 0);
  viewer.show();
  Load(viewer, page);
  viewer.hide();
}

void THtmlFrame::OpenLinkedPage(const std::string& file) {
  TFrameViewer* viewer = CurrentScreenViewer();
  if (!viewer || !viewer->isVisible()) return;
  const int entry = HistoryEntryOf(*viewer, file);
  if (entry < 0) {
    viewer->AddVisited(file);
    viewer->CheckVisitedLinks();
    viewer->LoadFromFile(file);
    return;
  }
  viewer->SetHistoryIndex(entry);
  // A page seen before opens where the link points: at its anchor, else at its top.
  if (viewer->ActiveViewer()) viewer->ActiveViewer()->ScrollToFragmentOf(file);
}

TFrameViewer* THtmlFrame::CurrentScreenViewer() const {
  const int index = ViewerOf(host_.CurrentScreen());
  return index >= 0 ? viewers_[index].get() : nullptr;
}

bool THtmlFrame::ArchiveMode() const {
  return currentViewer_ >= 0 && archiveFlags_[currentViewer_];
}

void THtmlFrame::SetArchiveMode(bool value) {
  if (currentViewer_ >= 0) archiveFlags_[currentViewer_] = value;
}

void THtmlFrame::SetHistoryIndex(int index) {
  if (TFrameViewer* viewer = CurrentScreenViewer()) viewer->SetHistoryIndex(index);
}

void THtmlFrame::FillWindow(const QRect& client) {
  TFrameViewer* viewer = CurrentScreenViewer();
  if (!viewer) return;
  // The page of the reading screen sits on the panel beside the contents: the panel fills.
  TPanelBkgrd* panel = host_.BackgroundPanel();
  if (panel && panel->isAncestorOf(viewer))
    panel->setGeometry(client);
  else if (viewer->parentWidget() == &host_.Window())
    viewer->setGeometry(client);
}

void THtmlFrame::RestoreArea(const QRect& panelArea) {
  TFrameViewer* viewer = CurrentScreenViewer();
  TPanelBkgrd* panel = host_.BackgroundPanel();
  if (panel) panel->setGeometry(panelArea);
  if (viewer && viewer->isVisible() && currentArea_ >= 0) Place(*viewer, areas_[currentArea_]);
}

void THtmlFrame::SelectAll() {
  TFrameViewer* viewer = CurrentScreenViewer();
  if (viewer && viewer->isVisible() && viewer->ActiveViewer()) viewer->ActiveViewer()->SelectAll();
}

void THtmlFrame::CopySelection() {
  TFrameViewer* viewer = CurrentScreenViewer();
  if (viewer && viewer->ActiveViewer()) viewer->ActiveViewer()->CopyToClipboard();
}

void THtmlFrame::ScrollToTop() {
  TFrameViewer* viewer = CurrentScreenViewer();
  if (viewer && viewer->ActiveViewer()) viewer->ActiveViewer()->ScrollToTop();
}

void THtmlFrame::HistoryChanged(TFrameViewer& viewer) {
  const auto owner = std::find_if(viewers_.begin(), viewers_.end(),
                                  [&](const auto& v) { return v.get() == &viewer; });
  if (owner != viewers_.end())
    sectionTrails_[owner - viewers_.begin()].PageShown(viewer.CurrentFile());
  if (&viewer == CurrentScreenViewer())
    SetArchiveMode(host_.ListingFlag(ArchiveMode(), viewer.CurrentFile()));
  if (TTextMsg* labels = host_.TextMessages())
    labels->SetText(viewer.DocumentTitle() + "  ", kTitleLabel, true);
  if (AfterHistoryChange) AfterHistoryChange();
}

void THtmlFrame::AddSectionTrail(const std::string& page) {
  if (currentViewer_ >= 0) sectionTrails_[currentViewer_].AddSectionTrail(page);
}

bool THtmlFrame::GoBy(int step, const RScreen& screen, std::vector<QPoint>& presses) {
  TFrameViewer* viewer = CurrentScreenViewer();
  if (!viewer || !(step > 0 ? viewer->CanGoBack() : viewer->CanGoForward())) {
    QApplication::beep();
    return false;
  }
  const std::string before = viewer->CurrentFile();
  step > 0 ? viewer->GoBack() : viewer->GoForward();
  if (viewer->CurrentFile() == before) return true;
  const int index = ViewerOf(host_.CurrentScreen());
  const std::string first = sectionTrails_[index].FirstItem();
  if (first.empty()) return true;
  const auto holds = [&](const std::string& command) {
    return command.find(first) != std::string::npos;
  };
  for (const RSwthOne& s : screen.SwitchesOne)
    if (s.State ? holds(s.CommandUp) : holds(s.CommandDown))
      presses.emplace_back(s.Left + 1, s.Top + 1);
  for (const RSwthGrp& s : screen.SwitchesGrp)
    if (holds(s.Command)) presses.emplace_back(s.Left + 1, s.Top + 1);
  return true;
}

bool THtmlFrame::HistoryTitles(std::vector<std::string>& titles, int& current) const {
  const TFrameViewer* viewer = CurrentScreenViewer();
  if (!viewer) return false;
  titles.clear();
  for (int i = 0; i < viewer->HistoryCount(); ++i) titles.push_back(viewer->HistoryTitle(i));
  current = viewer->HistoryIndex();
  return true;
}

bool THtmlFrame::CurrentPlace(std::string& title, std::string& file, int& position) const {
  const TFrameViewer* viewer = CurrentScreenViewer();
  if (!viewer || viewer->HistoryCount() == 0) return false;
  title = viewer->HistoryTitle(viewer->HistoryIndex());
  file = viewer->CurrentFile();
  position = viewer->ActiveViewer() ? viewer->ActiveViewer()->VScrollPos() : 0;
  return true;
}

void THtmlFrame::OpenPageAt(const std::string& file, int position) {
  OpenLinkedPage(file);
  TFrameViewer* viewer = CurrentScreenViewer();
  if (viewer && viewer->ActiveViewer()) viewer->ActiveViewer()->SetVScrollPos(position);
}

std::string THtmlFrame::LinkStatusText(const std::string& target, const std::string& url) const {
  const TFrameViewer* viewer = CurrentScreenViewer();
  if (url.empty() || !viewer || ArchiveMode()) return {};
  std::string text;
  const std::string scheme = UrlScheme(url);
  if (url[0] == '#') {
    text = viewer->CurrentFile() + url;
  } else if (scheme.empty() || scheme == "file") {
    text = viewer->ExpandUrl(url);
  } else if (scheme == "copy") {
    const std::string file = viewer->ExpandUrl(url.substr(scheme.size() + 1));
    const TPathInputBox* boxes = host_.PathInputs();
    const auto folder = boxes ? boxes->CurrentFolder(host_.CurrentScreen()) : std::nullopt;
    if (folder)
      text = *Utf8ToCp1251("Копирование файла \"") + file + *Utf8ToCp1251("\" в каталог \"") +
             Utf8ToCp1251Lossy(folder->string()) + "\"";
    else
      text = file;
  } else {
    text = url;
  }
  return target.empty() ? text : "Url: " + text + "  Target: " + target;
}

void THtmlFrame::DrawPrintHeader(QPainter& canvas, int page, int width) const {
  const TFrameViewer* viewer = CurrentScreenViewer();
  if (!viewer || !viewer->ActiveViewer()) return;
  DrawPageNumber(canvas, page, width);
}

namespace {

constexpr int kPageNumberTop = 40;
constexpr int kPageNumberGap = 6;  // between the page number's line and the content

QFont PageNumberFont() {
  return BookFont("Arial", 8, 0);
}

}  // namespace

int THtmlFrame::PageNumberBand() {
  return kPageNumberTop + QFontMetrics(PageNumberFont()).height() + kPageNumberGap;
}

void THtmlFrame::DrawPageNumber(QPainter& canvas, int page, int width) {
  canvas.save();
  canvas.setFont(PageNumberFont());
  canvas.setPen(Qt::black);
  const QString text = ToQString(*Utf8ToCp1251("Страница ")) + QString::number(page);
  const QRect box(0, kPageNumberTop, width - 50, canvas.fontMetrics().height());
  canvas.drawText(box, Qt::AlignRight | Qt::AlignTop, text);
  canvas.restore();
}

namespace {

bool IsPictureFile(const std::string& file) {
  const std::size_t dot = file.rfind('.');
  if (dot == std::string::npos) return false;
  const std::string extension = Cp1251LowerString(file.substr(dot));
  return extension == ".bmp" || extension == ".gif" || extension == ".jpg" || extension == ".jpeg";
}

}  // namespace

void THtmlFrame::PrintPage(const std::string& file) {
  if (file.empty()) {
    const TFrameViewer* viewer = CurrentScreenViewer();
    TDocumentView* view = viewer ? viewer->ActiveViewer() : nullptr;
    if (view && !view->CurrentFile().empty())
      RunPreview(*view, IsPictureFile(view->CurrentFile()), view->LastPictureSize());
    return;
  }
  // A request's picture flag is for this one file, whatever happens to it.
  const bool requested = PrintPicture;
  const QSize requestedSize(PrintPictureWidth, PrintPictureHeight);
  PrintPicture = false;
  // A print-only viewer: hidden, no history, links not underlined, the page header always.
  TFrameViewer printer(store_, &host_.Window());
  printer.hide();
  printer.setGeometry(0, 0, 0, 0);
  TViewerSettings settings = viewers_.empty() ? TViewerSettings{} : viewers_.front()->Settings();
  settings.ImageCacheCount = 0;
  settings.fvOptions |= fvNoLinkUnderline;
  settings.ViewImages = true;
  settings.PrintHeaderHeight = PageNumberBand();
  printer.SetSettings(settings);
  printer.SetHistoryMaxCount(0);
  printer.OnPrintHeader = [](QPainter& canvas, int page, int width, int, bool&) {
    DrawPageNumber(canvas, page, width);
  };
  if (!printer.LoadFromFile(file) || !printer.ActiveViewer()) return;
  TDocumentView& view = *printer.ActiveViewer();
  // A request prints as a picture of the size its sender gave (none: not fitted); a picture
  // file named by a link is fitted by the size it decoded to.
  if (requested)
    RunPreview(view, true, requestedSize);
  else
    RunPreview(view, IsPictureFile(file), view.LastPictureSize());
}

void THtmlFrame::RunPreview(TDocumentView& view, bool picture, QSize pictureSize) {
  const QSize size = picture ? pictureSize : QSize();
  TPreviewForm preview(&host_.Window(), size.height(), size.width(), picture, view, PrinterNotice);
  if (preview.Failed()) return;
  preview.OnHelp = PreviewHelp;
  // Modal: the book window takes no input while its page is being previewed.
  if (ShowPreview)
    ShowPreview(preview);
  else
    preview.exec();
}

TPageObject THtmlFrame::PictureAt(const TDocumentView* view, QPoint at) {
  // Only pictures are objects for the hints: text under the pointer counts as empty space, so
  // a hint goes as soon as the pointer leaves its picture and the picture can be hinted again.
  TPageObject object = view ? view->ObjectAt(at) : TPageObject{};
  return object.IsPicture() ? object : TPageObject{};
}

void THtmlFrame::PointerMoved(TFrameViewer& viewer, QPoint at) {
  const TDocumentView* view = viewer.ActiveViewer();
  const TPageObject object = PictureAt(view, at);
  if (object.Kind == TPageObject::None) {
    hintedPicture_.clear();
  } else if (object.IsPicture() && object.Source != hintedPicture_ && !hintTimer_.isActive() &&
             !object.Title.empty()) {
    hintTicks_ = 0;
    hintTimer_.start();
  }
  host_.PointerLeftElements();
}

void THtmlFrame::StopHint() {
  hintTimer_.stop();
  hintWindow_->hide();
  hintShown_ = false;
}

bool THtmlFrame::HintShown() const {
  return hintShown_ && hintWindow_->isVisible();
}

void THtmlFrame::HintTick() {
  ++hintTicks_;
  const TFrameViewer* viewer = CurrentScreenViewer();
  const TDocumentView* view = viewer ? viewer->ActiveViewer() : nullptr;
  const QPoint pointer = QCursor::pos();
  // Over a popup or menu that covers the page the page's hints stay away from its items.
  const QWidget* under = QApplication::widgetAt(pointer);
  const bool overPage = view && under && under->window() == view->window();
  const TPageObject object =
      overPage ? PictureAt(view, view->mapFromGlobal(pointer)) : TPageObject();
  if (object.Kind == TPageObject::None) {
    hintedPicture_.clear();
    StopHint();
    return;
  }
  if (hintTicks_ > kHintLastTick) return StopHint();
  if (hintTicks_ < kHintFirstTick) return;
  if (hintShown_ && object.Source == hintedPicture_) return;
  if (object.Title.empty()) return StopHint();
  hintWindow_->setText(ToQString(object.Title));
  hintWindow_->setMaximumWidth(kHintMaxWidth);
  hintWindow_->adjustSize();
  hintWindow_->move(pointer + QPoint(0, kHintBelowPointer));
  hintWindow_->show();
  hintShown_ = true;
  if (object.Source != hintedPicture_) {
    hintedPicture_ = object.Source;
    hintTicks_ = kHintFirstTick;
  }
}

void THtmlFrame::CopyPageFiles() {
  const TFrameViewer* viewer = CurrentScreenViewer();
  const TPathInputBox* boxes = host_.PathInputs();
  if (!viewer || !viewer->isVisible() || viewer->CurrentFile().empty() || !boxes ||
      !boxes->HasBox(host_.CurrentScreen()))
    return;
  TStatusLine* status = host_.StatusLine();
  const auto report = [status](const char* text) {
    if (status) status->Show(*Utf8ToCp1251(text));
  };
  const std::optional<fs::path> folder = boxes->CurrentFolder(host_.CurrentScreen());
  if (!folder) return report("Укажите полный путь к папке");

  const bool copied =
      CopyPageWithFiles(store_, fileSystem_, folders_, viewer->CurrentFile(), *folder);
  report(copied ? "Файл скопирован" : "Не удалось скопировать файл");
}

}  // namespace shelf
