#include "html/page_document.h"

#include <litehtml/el_text.h>

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include "html/anchor_element.h"
#include "html/book_url.h"
#include "html/cell_element.h"
#include "html/form_control_element.h"
#include "html/margin_pass.h"
#include "html/master_css.h"
#include "html/page_geometry.h"
#include "html/picture_element.h"
#include "html/picture_lines.h"
#include "html/style_pass.h"
#include "html/table_element.h"
#include "platform/cp1251.h"

namespace shelf {

namespace {

bool IsTag(const litehtml::element& el, const char* tag) {
  const char* name = el.get_tagName();
  return name && std::strcmp(name, tag) == 0;
}

bool IsBlock(litehtml::style_display display) {
  switch (display) {
    case litehtml::display_inline:
    case litehtml::display_inline_block:
    case litehtml::display_inline_table:
    case litehtml::display_inline_text:
      return false;
    default:
      return true;
  }
}

const litehtml::element* EnclosingLink(const litehtml::element* el) {
  for (; el; el = el->parent().get())
    if (IsTag(*el, "a") && el->get_attr("href")) return el;
  return nullptr;
}

std::shared_ptr<TFrameSetLayout> ReadFrameSet(const litehtml::element& set,
                                              const TQtContainer& container) {
  auto spec = std::make_shared<TFrameSetLayout>();
  spec->Rows = set.get_attr("rows", "");
  spec->Cols = set.get_attr("cols", "");
  const litehtml::tstring border = set.get_attr("frameborder", set.get_attr("border", "1"));
  spec->Border = border != "0" && border != "no";
  for (std::size_t i = 0; i < set.get_children_count(); ++i) {
    const auto child = set.get_child(int(i));
    TFrameSetLayout::TFrame frame;
    if (IsTag(*child, "frameset")) {
      frame.Nested = ReadFrameSet(*child, container);
    } else if (IsTag(*child, "frame")) {
      frame.Name = Utf8ToCp1251Lossy(child->get_attr("name", ""));
      if (const char* src = child->get_attr("src"); src && *src)
        frame.Source = container.ResolveUrl(src, nullptr);
      frame.Scrolling = AsciiLower(child->get_attr("scrolling", "auto")) != "no";
    } else {
      continue;
    }
    spec->Frames.push_back(std::move(frame));
  }
  return spec;
}

// Blocks with more children than this keep an index of their boxes for painting parts.
constexpr std::size_t kIndexedChildren = 64;

// Floats side by side in one block: laying them out costs the square of their number (each is
// placed against all before it), so beyond this many they stay in the flow.
constexpr int kMaxFloatsPerBlock = 100;

// Returns how many floats it stopped in `el` and below.
int LimitFloats(const litehtml::element::ptr& el) {
  int floats = 0, stopped = 0;
  for (std::size_t i = 0; i < el->get_children_count(); ++i) {
    const litehtml::element::ptr child = el->get_child(int(i));
    if (child->get_float() != litehtml::float_none && ++floats > kMaxFloatsPerBlock) {
      child->add_style("float:none !important", "");
      child->parse_styles(true);
      ++stopped;
    }
    stopped += LimitFloats(child);
  }
  return stopped;
}

const litehtml::element* FindTag(const litehtml::element& el, const char* tag, int depth) {
  if (IsTag(el, tag)) return &el;
  if (depth == 0) return nullptr;
  for (std::size_t i = 0; i < el.get_children_count(); ++i)
    if (const auto* found = FindTag(*el.get_child(int(i)), tag, depth - 1)) return found;
  return nullptr;
}

}  // namespace

TPageDocument::TPageDocument(const TBookStore& store, TImageStore& images,
                             const TViewerSettings& settings)
    : settings_(settings), container_(std::make_unique<TQtContainer>(store, images, settings_)) {
  context_.load_master_stylesheet(MasterCss(settings_).c_str());
}

TPageDocument::~TPageDocument() {
  doc_.reset();  // elements talk to the container while they go
}

void TPageDocument::Load(const std::string& utf8, const std::string& dosFile) {
  container_->SetDocumentFile(dosFile);
  container_->Images().StartPage();
  const bool quirks = TMarginPass::IsQuirksPage(utf8);
  container_->SetQuirks(quirks);
  doc_ = litehtml::document::createFromUTF8(utf8.c_str(), container_.get(), &context_);
  if (doc_ && doc_->root()) {
    TStylePass(container_->get_default_font_size()).Run(*doc_->root());
    if (!TMarginPass::IsStandardsPage(utf8)) TPictureLines::Run(*doc_->root());
    TMarginPass(quirks).Run(*doc_->root());
  }
  baseTarget_.clear();
  if (doc_ && doc_->root())
    if (const int stopped = LimitFloats(doc_->root()); stopped > 0)
      std::fprintf(stderr, "shelf: page %s: %d float(s) beyond %d in a block kept in the flow\n",
                   Cp1251ToUtf8(dosFile).c_str(), stopped, kMaxFloatsPerBlock);
  if (doc_ && doc_->root())
    if (const auto* base = FindTag(*doc_->root(), "base", 3))
      baseTarget_ = Utf8ToCp1251Lossy(base->get_attr("target", ""));
}

void TPageDocument::Layout(int width, QSize viewport) {
  text_.clear();
  items_.clear();
  links_.clear();
  anchors_.clear();
  pendingAnchors_.clear();
  if (!doc_ || !doc_->root()) return;
  container_->SetViewportSize(viewport);
  container_->NextLayout();
  doc_->render(std::max(1, width));
  Walk(doc_->root(), QPoint(0, 0));
  for (const std::string& name : pendingAnchors_) anchors_.try_emplace(name, Height());
  pendingAnchors_.clear();
}

int TPageDocument::Width() const {
  return doc_ ? doc_->width() : 0;
}
int TPageDocument::Height() const {
  return doc_ ? doc_->height() : 0;
}

void TPageDocument::BreakLine() {
  if (!text_.empty() && text_.back() != '\n') {
    if (text_.back() == ' ') text_.pop_back();
    text_ += '\n';
  }
}

void TPageDocument::AddItem(TPageItem item) {
  for (const std::string& name : pendingAnchors_) anchors_.try_emplace(name, item.Rect.top());
  pendingAnchors_.clear();
  items_.push_back(item);
}

QRect TPageDocument::Walk(const litehtml::element::ptr& el, QPoint origin) {
  // A table answered by a measurement is laid out for real before its content is read.
  if (auto* table = dynamic_cast<TTableElement*>(el.get())) table->Settle();
  const litehtml::position& pos = el->get_position();
  const QRect box =
      PageRect(qint64{origin.x()} + pos.x, qint64{origin.y()} + pos.y, pos.width, pos.height);
  if (auto* text = dynamic_cast<litehtml::el_text*>(el.get())) {
    litehtml::tstring utf8;
    text->get_text(utf8);
    TPageItem item;
    item.Element = text;
    item.Rect = text->skip() ? QRect() : box;
    item.TextStart = int(text_.size());
    if (text->is_white_space()) {
      if (text_.empty() || text_.back() == ' ' || text_.back() == '\n') return item.Rect;
      item.Kind = TPageItem::Space;
      text_ += ' ';
    } else {
      item.Kind = TPageItem::Word;
      std::string word = Utf8ToCp1251Lossy(utf8);
      std::replace(word.begin(), word.end(), '\xA0', ' ');  // no-break spaces find as spaces
      text_ += word;
    }
    item.TextLength = int(text_.size()) - item.TextStart;
    if (item.Kind == TPageItem::Word && item.TextLength == 0) return item.Rect;
    if (item.Kind == TPageItem::Space)
      items_.push_back(item);  // a space is no place an anchor points to
    else
      AddItem(item);
    return item.Rect;
  }
  if (el->get_display() == litehtml::display_none) return {};
  if (const auto* anchor = dynamic_cast<const TAnchorElement*>(el.get());
      anchor && anchor->IsLink())
    links_.push_back(anchor);
  if (const char* name = el->get_attr("name"); name && IsTag(*el, "a"))
    pendingAnchors_.push_back(Utf8ToCp1251Lossy(name));
  if (const char* id = el->get_attr("id")) pendingAnchors_.push_back(Utf8ToCp1251Lossy(id));
  if (dynamic_cast<TFormControlElement*>(el.get()) || dynamic_cast<TPictureElement*>(el.get())) {
    TPageItem item;
    item.Kind = dynamic_cast<TPictureElement*>(el.get()) ? TPageItem::Picture : TPageItem::Control;
    item.Element = el.get();
    item.Rect = box;
    item.TextStart = int(text_.size());
    AddItem(item);
    return box;
  }
  const litehtml::margins padding = el->get_paddings(), border = el->get_borders();
  const qint64 left = qint64{padding.left} + border.left, top = qint64{padding.top} + border.top;
  QRect extent = PageRect(qint64{box.x()} - left, qint64{box.y()} - top,
                          qint64{box.width()} + left + padding.right + border.right,
                          qint64{box.height()} + top + padding.bottom + border.bottom);
  const bool block = IsBlock(el->get_display()) || el->is_break();
  if (block) BreakLine();
  const std::size_t count = el->get_children_count();
  std::vector<std::optional<QRect>> childBoxes;
  if (block && count > kIndexedChildren) childBoxes.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const litehtml::element::ptr child = el->get_child(int(i));
    const QRect childExtent = Walk(child, box.topLeft());
    extent = extent.united(childExtent);
    if (childBoxes.capacity() == 0) continue;
    // Floats and positioned children are drawn by passes of their own: always let them in.
    if (child->get_float() != litehtml::float_none || child->is_positioned())
      childBoxes.emplace_back();
    else
      childBoxes.emplace_back(childExtent.translated(-box.topLeft()));
  }
  if (block) BreakLine();
  if (block) container_->SetExtent(el.get(), extent.translated(-box.topLeft()));
  if (!childBoxes.empty()) container_->SetChildExtents(el.get(), std::move(childBoxes));
  return extent;
}

std::string TPageDocument::Title() const {
  return Utf8ToCp1251Lossy(container_->Title());
}

std::optional<TFrameSetLayout> TPageDocument::FrameSet() const {
  if (!doc_ || !doc_->root()) return std::nullopt;
  const auto* set = FindTag(*doc_->root(), "frameset", 1);
  if (!set) return std::nullopt;
  return *ReadFrameSet(*set, *container_);
}

std::optional<int> TPageDocument::AnchorTop(std::string_view name) const {
  auto found = anchors_.find(std::string(name));
  if (found == anchors_.end()) {
    const std::string wanted = Cp1251LowerString(name);
    for (const auto& [key, top] : anchors_)
      if (Cp1251LowerString(key) == wanted) return top;
    return std::nullopt;
  }
  return found->second;
}

int TPageDocument::ItemAt(QPoint point) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Kind != TPageItem::Space && items_[i].Rect.contains(point)) return int(i);
  return -1;
}

int TPageDocument::TextX(const TPageItem& item, int offset) const {
  if (offset <= 0 || item.TextLength == 0) return item.Rect.left();
  if (offset >= item.TextLength) return item.Rect.right() + 1;
  const QFont* font = container_->FontOf(item.Element->get_font());
  if (!font) return item.Rect.left();
  const QString prefix = ToQString(std::string_view(text_).substr(item.TextStart, offset));
  return item.Rect.left() + QFontMetrics(*font).horizontalAdvance(prefix);
}

int TPageDocument::PositionAt(QPoint point) const {
  const TPageItem* best = nullptr;
  for (const TPageItem& item : items_) {
    if (item.Rect.isEmpty() || item.Kind == TPageItem::Space) continue;
    if (point.y() < item.Rect.top()) {
      if (!best) return item.TextStart;
      break;
    }
    if (point.y() <= item.Rect.bottom()) {
      if (point.x() < item.Rect.left())
        return best && best->Rect.bottom() >= point.y() ? best->TextStart + best->TextLength
                                                        : item.TextStart;
      best = &item;
      if (point.x() <= item.Rect.right()) break;
    } else {
      best = &item;
    }
  }
  if (!best) return int(text_.size());
  if (best->Kind != TPageItem::Word || !best->Rect.contains(point))
    return best->TextStart + best->TextLength;
  for (int offset = 1; offset <= best->TextLength; ++offset) {
    const int left = TextX(*best, offset - 1), right = TextX(*best, offset);
    if (point.x() < (left + right) / 2) return best->TextStart + offset - 1;
  }
  return best->TextStart + best->TextLength;
}

const litehtml::element* TPageDocument::LinkAt(QPoint point) const {
  const int index = ItemAt(point);
  return index < 0 ? nullptr : EnclosingLink(items_[index].Element);
}

TPageObject TPageDocument::ObjectAt(QPoint point) const {
  TPageObject object;
  const int index = ItemAt(point);
  if (index < 0) return object;
  const TPageItem& item = items_[index];
  object.Bounds = item.Rect;
  object.Kind = item.Kind == TPageItem::Picture   ? TPageObject::Picture
                : item.Kind == TPageItem::Control ? TPageObject::FormControl
                                                  : TPageObject::Text;
  if (item.Kind == TPageItem::Picture) {
    const auto* picture = static_cast<const TPictureElement*>(item.Element);
    const char* title = picture->get_attr("title");
    if (!title || !*title) title = picture->get_attr("alt", "");
    object.Title = Utf8ToCp1251Lossy(title);
    object.Source = picture->Source();
  }
  if (const auto* link = EnclosingLink(item.Element)) {
    if (object.Kind == TPageObject::Text) object.Kind = TPageObject::Link;
    object.Url = Utf8ToCp1251Lossy(link->get_attr("href", ""));
    const char* target = link->get_attr("target");
    object.Target = target ? Utf8ToCp1251Lossy(target) : baseTarget_;
  }
  return object;
}

QRect TPageDocument::RangeTop(int start, int end) const {
  for (const TPageItem& item : items_)
    if (item.TextStart + item.TextLength > start && item.TextStart < end && !item.Rect.isEmpty())
      return item.Rect;
  return {};
}

bool TPageDocument::VisitedChanged() const {
  return std::any_of(links_.begin(), links_.end(),
                     [](const TAnchorElement* link) { return link->VisitedChanged(); });
}

std::vector<TFormControl> TPageDocument::FormControls() const {
  std::vector<TFormControl> controls;
  for (const TFormControlElement* element : container_->Controls())
    controls.push_back(element->Control());
  return controls;
}

void TPageDocument::PlaceControls(QPoint scroll, bool visible) {
  for (const TPageItem& item : items_) {
    if (item.Kind != TPageItem::Control) continue;
    QWidget* widget = static_cast<TFormControlElement*>(item.Element)->Widget();
    if (!widget) continue;
    widget->setGeometry(item.Rect.translated(-scroll));
    widget->setVisible(visible && !item.Rect.isEmpty());
  }
}

std::vector<int> TPageDocument::PageTops(int pageHeight, int maxPages) const {
  // Boxes by their tops: a page looks only at the boxes that start on it.
  std::vector<std::pair<int, int>> boxes;  // top, bottom
  for (const TPageItem& item : items_)
    if (item.Kind != TPageItem::Space && item.Rect.height() > 0)
      boxes.emplace_back(item.Rect.top(),
                         int(std::min<qint64>(qint64{item.Rect.top()} + item.Rect.height(),
                                              std::numeric_limits<int>::max())));
  std::sort(boxes.begin(), boxes.end());
  std::vector<int> tops{0};
  const qint64 height = Height();
  const qint64 step = std::max(1, pageHeight);
  for (qint64 top = 0; top + step < height && int(tops.size()) < maxPages;) {
    const qint64 limit = top + step;
    qint64 cut = limit;
    const auto first = std::upper_bound(boxes.begin(), boxes.end(),
                                        std::pair{int(top), std::numeric_limits<int>::max()});
    for (bool moved = true; moved;) {
      moved = false;
      for (auto box = first; box != boxes.end() && box->first < cut; ++box) {
        if (box->second > cut) {
          cut = box->first;
          moved = true;
        }
      }
    }
    top = cut > top ? cut : limit;
    tops.push_back(int(top));
  }
  return tops;
}

QColor TPageDocument::CanvasColor(const litehtml::background** image) const {
  *image = nullptr;
  QColor color = QColor(settings_.DefBackground & 0xFF, (settings_.DefBackground >> 8) & 0xFF,
                        (settings_.DefBackground >> 16) & 0xFF);
  if (!doc_ || !doc_->root()) return color;
  const auto* body = FindTag(*doc_->root(), "body", 1);
  if (!body) return color;
  const auto* bg = const_cast<litehtml::element*>(body)->get_background(true);
  if (!bg) return color;
  if (bg->m_color.alpha > 0) color = QColor(bg->m_color.red, bg->m_color.green, bg->m_color.blue);
  if (!bg->m_image.empty()) *image = bg;
  return color;
}

void TPageDocument::Draw(QPainter& painter, const QRect& area, int selStart, int selEnd) {
  const litehtml::background* image = nullptr;
  const bool printing = container_->Printing();  // the sheet is white; only the page prints
  if (!printing) painter.fillRect(QRect(QPoint(0, 0), area.size()), CanvasColor(&image));
  if (!doc_) return;
  if (image && settings_.ViewImages && !printing) {
    litehtml::background_paint paint;
    paint.image = image->m_image;
    paint.baseurl = image->m_baseurl;
    paint.repeat = image->m_repeat;
    paint.color = litehtml::web_color(0, 0, 0, 0);
    paint.clip_box = litehtml::position(0, 0, area.width(), area.height());
    paint.position_x = -area.x();
    paint.position_y = -area.y();
    litehtml::size size;
    container_->get_image_size(image->m_image.c_str(), image->m_baseurl.c_str(), size);
    paint.image_size = size;
    container_->draw_background(reinterpret_cast<litehtml::uint_ptr>(&painter), paint);
  }
  container_->SetPainter(&painter);
  const litehtml::position clip(0, 0, area.width(), area.height());
  doc_->draw(reinterpret_cast<litehtml::uint_ptr>(&painter), -area.x(), -area.y(), &clip);
  container_->SetPainter(nullptr);
  if (selStart >= selEnd) return;
  const QColor highlight(0x00, 0x00, 0x80);
  for (const TPageItem& item : items_) {
    const int start = std::max(selStart, item.TextStart);
    const int end = std::min(selEnd, item.TextStart + item.TextLength);
    if (item.Rect.isEmpty() || !item.Rect.intersects(area)) continue;
    if (item.Kind == TPageItem::Picture || item.Kind == TPageItem::Control) {
      if (item.TextStart >= selStart && item.TextStart < selEnd) {
        painter.save();
        painter.setOpacity(0.4);
        painter.fillRect(item.Rect.translated(-area.topLeft()), highlight);
        painter.restore();
      }
      continue;
    }
    if (start >= end) continue;
    const int x0 = TextX(item, start - item.TextStart), x1 = TextX(item, end - item.TextStart);
    const QRect box =
        QRect(x0, item.Rect.top(), x1 - x0, item.Rect.height()).translated(-area.topLeft());
    painter.fillRect(box, highlight);
    if (item.Kind != TPageItem::Word) continue;
    if (const QFont* font = container_->FontOf(item.Element->get_font())) {
      painter.setFont(*font);
      painter.setPen(Qt::white);
      painter.drawText(box.left(), box.top() + QFontMetrics(*font).ascent(),
                       ToQString(std::string_view(text_).substr(start, end - start)));
    }
  }
}

}  // namespace shelf
