#include "html/document_view.h"

#include "html/file_page.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "html/book_url.h"
#include "html/image_store.h"
#include "html/page_decoder.h"
#include "html/page_document.h"
#include "html/page_source_filter.h"
#include "html/text_search.h"
#include "platform/cp1251.h"
#include "store/compr_stream.h"

namespace shelf {

namespace {

constexpr int kScreenDpi = 96;
constexpr double kCmPerInch = 2.54;
constexpr int kDragDistance = 3;
// A page longer than this many sheets is no book page: the rest is not printed.
constexpr int kMaxPrintedPages = 2000;

}  // namespace

TDocumentView::TDocumentView(const TBookStore& store, QWidget* parent)
    : QAbstractScrollArea(parent), store_(store), images_(std::make_unique<TImageStore>(store)) {
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  verticalScrollBar()->setSingleStep(16);
  horizontalScrollBar()->setSingleStep(16);
  SetSettings(settings_);
  clock_.start();
  animation_.setInterval(50);
  connect(&animation_, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
}

TDocumentView::~TDocumentView() {
  page_.reset();
}

void TDocumentView::SetSettings(const TViewerSettings& settings) {
  settings_ = settings;
  images_->SetCacheCount(settings.ImageCacheCount);
  setFrameShape(settings.Has(fvNoBorder) ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TDocumentView::SetVisitedTest(std::function<bool(const std::string&)> test) {
  visited_ = std::move(test);
}

bool TDocumentView::LoadFile(const std::string& dosFile) {
  const std::string file(UrlWithoutFragment(dosFile));
  std::string bytes;
  try {
    bytes = TComprStream(store_, file).Bytes();
  } catch (const EFOpenError&) {
    return false;
  }
  LoadString(PageForFile(file, std::move(bytes)), file);
  if (const std::string_view fragment = UrlFragment(dosFile); !fragment.empty())
    ScrollToAnchor(fragment);
  return true;
}

void TDocumentView::LoadString(std::string_view bytes, const std::string& dosFile) {
  file_ = dosFile;
  TSourceCuts cuts;
  utf8_ = FilterPageSource(DecodePageToUtf8(bytes), kMaxTagNesting, &cuts);
  if (cuts.Any())
    std::fprintf(stderr, "shelf: page %s cut: %s\n", Cp1251ToUtf8(dosFile).c_str(),
                 cuts.Describe().c_str());
  Parse();
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
}

void TDocumentView::Reload() {
  const int pos = VScrollPos();
  Parse();
  SetVScrollPos(pos);
}

void TDocumentView::RefreshVisited() {
  if (page_ && page_->VisitedChanged()) Reload();
}

void TDocumentView::Parse() {
  hovered_ = nullptr;
  caret_ = selStart_ = selEnd_ = 0;
  dragAnchor_ = -1;
  if (page_) {
    // The old page is freed once the new one is on screen: freeing a large page takes about
    // as long as laying it out.
    page_->PlaceControls(QPoint(), false);
    retired_.push_back(std::move(page_));
    QTimer::singleShot(0, this, [this] { retired_.clear(); });
  }
  page_ = std::make_unique<TPageDocument>(store_, *images_, settings_);
  page_->Container().SetControlHost(viewport());
  page_->Container().SetVisitedTest(visited_);
  page_->Load(utf8_, file_);
  clock_.restart();
  layoutWidth_ = -1;
  Relayout();
  if (page_->Container().HasAnimations() && isVisible())
    animation_.start();
  else
    animation_.stop();
  viewport()->update();
}

void TDocumentView::Relayout() {
  if (!page_) return;
  const int width = viewport()->width();
  if (width == layoutWidth_) return;
  layoutWidth_ = width;
  page_->Layout(width, viewport()->size());
  UpdateScrollBars();
  page_->PlaceControls(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()), true);
}

void TDocumentView::UpdateScrollBars() {
  const QSize view = viewport()->size();
  const int height = page_ ? page_->Height() : 0;
  const int width = page_ ? page_->Width() : 0;
  verticalScrollBar()->setPageStep(view.height());
  verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
  horizontalScrollBar()->setPageStep(view.width());
  horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
}

void TDocumentView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Relayout();
  UpdateScrollBars();
}

void TDocumentView::scrollContentsBy(int, int) {
  if (page_)
    page_->PlaceControls(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()),
                         true);
  viewport()->update();
}

void TDocumentView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  if (page_ && page_->Container().HasAnimations()) animation_.start();
}

void TDocumentView::hideEvent(QHideEvent* event) {
  QAbstractScrollArea::hideEvent(event);
  animation_.stop();
}

void TDocumentView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QRect area(horizontalScrollBar()->value(), verticalScrollBar()->value(),
                   viewport()->width(), viewport()->height());
  if (!page_) {
    const std::uint32_t color = settings_.DefBackground;
    painter.fillRect(viewport()->rect(),
                     QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    return;
  }
  page_->Container().SetClock(clock_.elapsed());
  page_->Draw(painter, area, selStart_, selEnd_);
}

QImage TDocumentView::PageImage(int maxHeight) const {
  if (!page_) return {};
  const int width = std::max({1, viewport()->width(), page_->Width()});
  const int height = std::clamp(page_->Height(), 1, std::max(1, maxHeight));
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  TQtContainer& container = page_->Container();
  // Without their host the form controls are painted with the page, as on printed sheets.
  QWidget* host = container.ControlHost();
  container.SetControlHost(nullptr);
  container.SetClock(clock_.elapsed());
  page_->Draw(painter, QRect(0, 0, width, height), selStart_, selEnd_);
  container.SetControlHost(host);
  return image;
}

QPoint TDocumentView::ToDocument(QPoint viewPoint) const {
  return viewPoint + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

std::string TDocumentView::DocumentTitle() const {
  return page_ ? page_->Title() : "";
}

std::optional<TFrameSetLayout> TDocumentView::FrameSet() const {
  return page_ ? page_->FrameSet() : std::nullopt;
}

const std::string& TDocumentView::PageText() const {
  static const std::string empty;
  return page_ ? page_->Text() : empty;
}

bool TDocumentView::FindNext(std::string_view text, bool matchCase) {
  return FindNext([&](std::string_view page, std::size_t from) -> std::optional<RTextRange> {
    const std::size_t found = FindPageText(page, text, from, matchCase);
    if (found == std::string_view::npos) return std::nullopt;
    return RTextRange{found, text.size()};
  });
}

bool TDocumentView::FindNext(const TTextFinder& finder) {
  if (!page_) return false;
  const int from = selEnd_ > selStart_ ? selEnd_ : caret_;
  const std::optional<RTextRange> found = finder(page_->Text(), std::size_t(from));
  if (!found) return false;
  selStart_ = int(found->Start);
  selEnd_ = caret_ = int(found->Start + found->Length);
  ScrollIntoView(page_->RangeTop(selStart_, selEnd_));
  viewport()->update();
  return true;
}

void TDocumentView::ScrollIntoView(const QRect& box) {
  if (box.isEmpty()) return;
  const int top = VScrollPos(), height = viewport()->height();
  if (box.top() < top || box.bottom() > top + height) SetVScrollPos(box.top() - height / 3);
  const int left = horizontalScrollBar()->value(), width = viewport()->width();
  if (box.left() < left || box.right() > left + width)
    horizontalScrollBar()->setValue(box.left() - width / 3);
}

void TDocumentView::SetCaret(int position) {
  caret_ = std::clamp(position, 0, int(PageText().size()));
  selStart_ = selEnd_ = 0;
  viewport()->update();
}

void TDocumentView::SelectAll() {
  selStart_ = 0;
  selEnd_ = int(PageText().size());
  viewport()->update();
}

std::string TDocumentView::SelectedText() const {
  if (selEnd_ <= selStart_) return {};
  return PageText().substr(selStart_, selEnd_ - selStart_);
}

void TDocumentView::CopyToClipboard() const {
  const std::string text = SelectedText();
  if (!text.empty()) QApplication::clipboard()->setText(ToQString(text));
}

int TDocumentView::VScrollPos() const {
  return verticalScrollBar()->value();
}

void TDocumentView::SetVScrollPos(int pixels) {
  verticalScrollBar()->setValue(std::clamp(pixels, 0, verticalScrollBar()->maximum()));
}

int TDocumentView::DocumentHeight() const {
  return page_ ? page_->Height() : 0;
}

bool TDocumentView::ScrollToAnchor(std::string_view name) {
  if (!page_) return false;
  const auto top = page_->AnchorTop(name);
  if (!top) return false;
  SetVScrollPos(*top);
  return true;
}

void TDocumentView::ScrollToFragmentOf(std::string_view url) {
  const std::string_view fragment = UrlFragment(url);
  if (fragment.empty() || !ScrollToAnchor(fragment)) ScrollToTop();
}

std::vector<TFormControl> TDocumentView::FormControls() const {
  return page_ ? page_->FormControls() : std::vector<TFormControl>{};
}

TPageObject TDocumentView::ObjectAt(QPoint point) const {
  return page_ ? page_->ObjectAt(ToDocument(point)) : TPageObject{};
}

QSize TDocumentView::LastPictureSize() const {
  return images_->LastDecodedSize();
}

void TDocumentView::SetHover(const void* anchor, const std::string& target,
                             const std::string& url) {
  if (anchor == hovered_) return;
  hovered_ = anchor;
  if (page_) page_->Container().SetHoveredAnchor(anchor);
  viewport()->setCursor(anchor ? Qt::PointingHandCursor : Qt::ArrowCursor);
  if (settings_.Has(fvOverLinksActive)) viewport()->update();
  if (OnHotSpotTargetCovered) OnHotSpotTargetCovered(target, url);
}

void TDocumentView::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(event);
  if (!page_) return;
  const QPoint point = event->position().toPoint();
  if (dragAnchor_ >= 0 && (event->buttons() & Qt::LeftButton)) {
    if (!dragging_ && (point - pressPoint_).manhattanLength() < kDragDistance) return;
    dragging_ = true;
    const int position = page_->PositionAt(ToDocument(point));
    selStart_ = std::min(dragAnchor_, position);
    selEnd_ = std::max(dragAnchor_, position);
    caret_ = position;
    if (point.y() < 0 || point.y() > viewport()->height())
      SetVScrollPos(VScrollPos() + (point.y() < 0 ? point.y() : point.y() - viewport()->height()));
    viewport()->update();
    return;
  }
  const TPageObject object = page_->ObjectAt(ToDocument(point));
  SetHover(object.Url.empty() ? nullptr : page_->LinkAt(ToDocument(point)), object.Target,
           object.Url);
}

void TDocumentView::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(event);
  setFocus(Qt::MouseFocusReason);
  if (!page_ || event->button() != Qt::LeftButton) return;
  pressPoint_ = event->position().toPoint();
  dragging_ = false;
  dragAnchor_ = page_->PositionAt(ToDocument(pressPoint_));
  if (selEnd_ > selStart_) {
    selStart_ = selEnd_ = 0;
    viewport()->update();
  }
}

void TDocumentView::mouseReleaseEvent(QMouseEvent* event) {
  if (!page_ || event->button() != Qt::LeftButton) return;
  const bool dragged = dragging_;
  dragging_ = false;
  if (dragAnchor_ < 0) return;
  if (!dragged) caret_ = dragAnchor_;
  dragAnchor_ = -1;
  if (dragged) return;
  const TPageObject object = page_->ObjectAt(ToDocument(event->position().toPoint()));
  if (object.Url.empty()) return;
  bool handled = false;
  if (OnHotSpotTargetClick) OnHotSpotTargetClick(object.Target, object.Url, handled);
  if (!handled) FollowLink(object.Url);
}

void TDocumentView::leaveEvent(QEvent* event) {
  QAbstractScrollArea::leaveEvent(event);
  if (!dragging_) SetHover(nullptr, {}, {});
}

void TDocumentView::FollowLink(const std::string& url) {
  const std::string expanded = ExpandBookUrl(url, file_);
  const std::string_view target = UrlWithoutFragment(expanded);
  if (Cp1251LowerString(target) == Cp1251LowerString(file_)) {
    if (const std::string_view fragment = UrlFragment(expanded); !fragment.empty())
      ScrollToAnchor(fragment);
    else
      ScrollToTop();
    return;
  }
  if (UrlScheme(expanded).empty()) LoadFile(expanded);
}

void TDocumentView::keyPressEvent(QKeyEvent* event) {
  if (OnKeyDown) OnKeyDown(event);
  QScrollBar* bar = verticalScrollBar();
  switch (event->key()) {
    case Qt::Key_Home:
      bar->setValue(0);
      break;
    case Qt::Key_End:
      bar->setValue(bar->maximum());
      break;
    case Qt::Key_Space:
      bar->triggerAction(event->modifiers() & Qt::ShiftModifier
                             ? QAbstractSlider::SliderPageStepSub
                             : QAbstractSlider::SliderPageStepAdd);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

int TDocumentView::PrintPages(TPageCanvas& canvas, double scale, int fromPage, int toPage) {
  const TSheetMetrics m = canvas.Metrics();
  scale = scale > 0 ? scale : 1.0;
  const int dx = int(std::lround(m.DpiX * scale)), dy = int(std::lround(m.DpiY * scale));
  const double marginInches = PrintMarginCm / kCmPerInch;
  const int rightStrip = std::max(0, m.PhysicalWidth - m.PrintableWidth - m.OffsetX);
  const int bottomStrip = std::max(0, m.PhysicalHeight - m.PrintableHeight - m.OffsetY);
  const int left = std::max(0, int(dx * marginInches) - m.OffsetX);
  const int right = std::max(0, int(dx * marginInches) - rightStrip);
  const bool header = canvas.PrintPageNumbers() && OnPrintHeader;
  // The header's band is never shared with the content, whatever the margin and the scale.
  const int headerBand =
      header ? int(std::ceil(settings_.PrintHeaderHeight * double(dy) / kScreenDpi)) : 0;
  const int top = std::max({0, int(dy * marginInches) - m.OffsetY, headerBand});
  const int bottom = std::max(0, int(dy * marginInches) - bottomStrip);
  const int width = std::max(1, (m.PrintableWidth - left - right) * kScreenDpi / dx);
  const int height = std::max(1, (m.PrintableHeight - top - bottom) * kScreenDpi / dy);

  TViewerSettings printSettings = settings_;
  printSettings.ImageCacheCount = 0;
  TPageDocument document(store_, *images_, printSettings);
  document.Container().SetPrinting(true);
  document.Load(utf8_, file_);
  document.Layout(width, QSize(width, height));
  const std::vector<int> tops = document.PageTops(height, kMaxPrintedPages);
  const int count = int(tops.size());
  if (count == kMaxPrintedPages && qint64{tops.back()} + height < document.Height())
    std::fprintf(stderr, "shelf: page %s: printing stops after %d pages\n",
                 Cp1251ToUtf8(file_).c_str(), kMaxPrintedPages);

  bool stop = false;
  auto pageEvent = [&](int page) {
    QApplication::processEvents();
    if (OnPageEvent) OnPageEvent(page, stop);
    return !stop;
  };
  canvas.BeginDoc();
  bool first = true;
  if (pageEvent(0)) {
    for (int page = std::max(1, fromPage); page <= std::min(count, toPage); ++page) {
      if (!pageEvent(page)) break;
      if (!first) canvas.NewPage();
      first = false;
      const int pageTop = tops[page - 1];
      const int pageBottom =
          page < count
              ? tops[page]
              : int(std::clamp<qint64>(document.Height(), pageTop, qint64{pageTop} + height));
      QPainter& painter = canvas.Canvas();
      painter.save();
      painter.translate(left, top);
      painter.scale(double(dx) / kScreenDpi, double(dy) / kScreenDpi);
      painter.setClipRect(QRect(0, 0, width, pageBottom - pageTop));
      document.Draw(painter, QRect(0, pageTop, width, pageBottom - pageTop), 0, 0);
      painter.restore();
      if (header) {
        painter.save();
        painter.scale(double(dx) / kScreenDpi, double(dy) / kScreenDpi);
        bool headerStop = false;
        OnPrintHeader(painter, page, m.PrintableWidth * kScreenDpi / dx,
                      m.PrintableHeight * kScreenDpi / dy, headerStop);
        painter.restore();
        if (headerStop) break;
      }
    }
  }
  canvas.EndDoc();
  return count;
}

}  // namespace shelf
