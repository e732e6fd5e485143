#include "html/qt_container.h"

#include <litehtml/el_div.h>
#include <litehtml/el_para.h>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QPainter>
#include <QPolygon>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <limits>

#include "html/anchor_element.h"
#include "html/block_element.h"
#include "html/body_element.h"
#include "html/book_url.h"
#include "html/break_element.h"
#include "html/cell_element.h"
#include "html/clipped_element.h"
#include "html/font_element.h"
#include "html/font_families.h"
#include "html/form_control_element.h"
#include "html/fractional_font.h"
#include "html/hyphen_breaks.h"
#include "html/inline_frame_element.h"
#include "html/master_css.h"
#include "html/page_decoder.h"
#include "html/page_geometry.h"
#include "html/picture_element.h"
#include "html/row_element.h"
#include "html/rule_element.h"
#include "html/style_sheet_filter.h"
#include "html/style_sheet_guard.h"
#include "html/table_element.h"
#include "html/text_shadow.h"
#include "platform/cp1251.h"
#include "store/compr_stream.h"

namespace shelf {

namespace {

QColor ToQColor(const litehtml::web_color& color) {
  return QColor(color.red, color.green, color.blue, color.alpha);
}

QPolygon Side(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return QPolygon({QPoint(x1, y1), QPoint(x2, y2), QPoint(x3, y3), QPoint(x4, y4)});
}

// The colour of one side of a border: inset and outset look lit from the top left.
QColor SideColor(const litehtml::border& border, bool topOrLeft) {
  QColor color = ToQColor(border.color);
  const bool darker = (border.style == litehtml::border_style_inset && topOrLeft) ||
                      (border.style == litehtml::border_style_outset && !topOrLeft) ||
                      (border.style == litehtml::border_style_groove && topOrLeft) ||
                      (border.style == litehtml::border_style_ridge && !topOrLeft);
  if (border.style >= litehtml::border_style_groove) {
    if (color.value() < 40) color = QColor(0xC0, 0xC0, 0xC0);
    return darker ? color.darker(160) : color.lighter(130);
  }
  return color;
}

bool Visible(const litehtml::border& border) {
  return border.width > 0 && border.style != litehtml::border_style_none &&
         border.style != litehtml::border_style_hidden && border.color.alpha > 0;
}

}  // namespace

TQtContainer::TQtContainer(const TBookStore& store, TImageStore& images,
                           const TViewerSettings& settings)
    : store_(store), images_(images), settings_(settings) {
  defaultFontName_ = Cp1251ToUtf8(settings.DefFontName);
}

TQtContainer::~TQtContainer() {
  for (auto& [name, group] : radioGroups_) delete group;
}

TQtContainer& ContainerOf(const litehtml::element& element) {
  return *static_cast<TQtContainer*>(element.get_document()->container());
}

void TQtContainer::SetDocumentFile(std::string dosFile) {
  documentFile_ = std::move(dosFile);
  baseFile_ = documentFile_;
}

std::string TQtContainer::ResolveUrl(const char* url, const char* baseUrl) const {
  const std::string relative = Utf8ToCp1251Lossy(url ? url : "");
  const std::string base =
      baseUrl && *baseUrl ? Utf8ToCp1251Lossy(baseUrl) : std::string(baseFile_);
  return ExpandBookUrl(relative, base);
}

void TQtContainer::GroupRadio(const std::string& name, QWidget* radio) {
  QButtonGroup*& group = radioGroups_[name];
  if (!group) group = new QButtonGroup;
  group->addButton(static_cast<QAbstractButton*>(radio));
}

bool TQtContainer::OutsideClip(const litehtml::element& element, int x, int y,
                               const litehtml::position* clip) const {
  if (!clip) return false;
  const auto found = extents_.find(&element);
  if (found == extents_.end()) return false;
  const litehtml::position& pos = const_cast<litehtml::element&>(element).get_position();
  const QRect area = found->second.translated(PageCoordinate(qint64{x} + pos.x),
                                              PageCoordinate(qint64{y} + pos.y));
  return area.bottom() < clip->top() || area.top() > clip->bottom() ||
         area.right() < clip->left() || area.left() > clip->right();
}

void TQtContainer::SetChildExtents(const litehtml::element* element,
                                   std::vector<std::optional<QRect>> boxes) {
  TChildIndex index;
  const int count = int(boxes.size());
  index.Boxes.resize(count);
  index.MaxBottom.resize(count);
  index.MinTopToEnd.resize(count);
  int maxBottom = std::numeric_limits<int>::min();
  for (int i = 0; i < count; ++i) {
    if (!boxes[i]) index.Always.push_back(i);
    index.Boxes[i] = boxes[i].value_or(QRect());
    if (!index.Boxes[i].isEmpty()) maxBottom = std::max(maxBottom, index.Boxes[i].bottom());
    index.MaxBottom[i] = maxBottom;
  }
  int minTop = std::numeric_limits<int>::max();
  for (int i = count - 1; i >= 0; --i) {
    if (!index.Boxes[i].isEmpty()) minTop = std::min(minTop, index.Boxes[i].top());
    index.MinTopToEnd[i] = minTop;
  }
  childIndex_[element] = std::move(index);
}

bool TQtContainer::ChildrenNear(const litehtml::element& element, int y,
                                const litehtml::position* clip,
                                const litehtml::elements_vector& children,
                                litehtml::elements_vector& near) const {
  const auto found = childIndex_.find(&element);
  if (!clip || found == childIndex_.end()) return false;
  const TChildIndex& index = found->second;
  if (children.size() != index.Boxes.size()) return false;
  const litehtml::position& pos = const_cast<litehtml::element&>(element).get_position();
  const qint64 originY = qint64{y} + pos.y;
  const int top = PageCoordinate(clip->top() - originY);
  const int bottom = PageCoordinate(clip->bottom() - originY);
  // Children [first, last) are the only ones with a box that can reach into [top, bottom].
  const std::size_t first = std::lower_bound(index.MaxBottom.begin(), index.MaxBottom.end(), top) -
                            index.MaxBottom.begin();
  const std::size_t last =
      std::upper_bound(index.MinTopToEnd.begin(), index.MinTopToEnd.end(), bottom) -
      index.MinTopToEnd.begin();
  auto always = index.Always.begin();
  const auto alwaysBefore = [&](std::size_t end) {
    for (; always != index.Always.end() && *always < end; ++always)
      near.push_back(children[*always]);
  };
  for (std::size_t i = first; i < last; ++i) {
    alwaysBefore(i);
    const QRect& box = index.Boxes[i];
    if (!box.isEmpty() && box.bottom() >= top && box.top() <= bottom) near.push_back(children[i]);
  }
  alwaysBefore(children.size());
  return true;
}

const litehtml::style& TQtContainer::HintStyle(const std::string& css) {
  auto& style = hintStyles_[css];
  if (!style) {
    style = std::make_unique<litehtml::style>();
    style->add(css.c_str(), nullptr, nullptr);
  }
  return *style;
}

const QFont* TQtContainer::FontOf(litehtml::uint_ptr font) const {
  return font > 0 && font <= fonts_.size() ? &fonts_[font - 1]->Font : nullptr;
}

litehtml::uint_ptr TQtContainer::create_font(const litehtml::tchar_t* faceName, int size,
                                             int weight, litehtml::font_style italic,
                                             unsigned int decoration, litehtml::font_metrics* fm) {
  QString family;
  std::string faces = faceName ? faceName : "";
  const TTextEffects effects = TTextEffects::TakeFamilyTag(faces);
  for (std::size_t start = 0; start <= faces.size() && family.isEmpty();) {
    std::size_t comma = faces.find(',', start);
    if (comma == std::string::npos) comma = faces.size();
    family = InstalledFontFamily(faces.substr(start, comma - start));
    start = comma + 1;
  }
  if (family.isEmpty()) family = InstalledFontFamily(defaultFontName_);
  if (family.isEmpty()) family = InstalledFontFamily("serif");
  QFont font;
  font.setFamily(family.isEmpty() ? QStringLiteral("Times New Roman") : family);
  font.setPixelSize(std::max(1, size));
  font.setWeight(QFont::Weight(std::clamp(weight, 100, 900)));
  font.setItalic(italic == litehtml::fontStyleItalic);
  font.setUnderline(decoration & litehtml::font_decoration_underline);
  font.setStrikeOut(decoration & litehtml::font_decoration_linethrough);
  font.setOverline(decoration & litehtml::font_decoration_overline);
  if (effects.LetterSpacing) font.setLetterSpacing(QFont::AbsoluteSpacing, effects.LetterSpacing);
  if (effects.WordSpacing) font.setWordSpacing(effects.WordSpacing);
  TLineMetrics line;
  if (effects.SizeHundredths > 0) line = FitToExactSize(font, size, effects.SizeHundredths / 100.0);
  auto entry =
      std::unique_ptr<TPageFont>(new TPageFont{font, QFontMetrics(font), {}, effects, line.Ascent});
  if (line.LineSpacing <= 0) {
    entry->Ascent = entry->Metrics.ascent();
    line.LineSpacing = entry->Metrics.lineSpacing();
  }
  if (fm) {
    // Lines advance by the font's line spacing, its line gap below the text as in browsers.
    fm->ascent = entry->Ascent;
    fm->descent = line.LineSpacing - entry->Ascent;
    fm->height = line.LineSpacing;
    fm->x_height = entry->Metrics.xHeight();
    fm->draw_spaces = italic == litehtml::fontStyleItalic || decoration != 0;
  }
  fonts_.push_back(std::move(entry));
  return fonts_.size();
}

void TQtContainer::delete_font(litehtml::uint_ptr) {
  // Fonts live as long as the page: handles stay valid for text runs measured later.
}

int TQtContainer::text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) {
  if (font == 0 || font > fonts_.size()) return 0;
  TPageFont& entry = *fonts_[font - 1];
  auto [it, added] = entry.Widths.try_emplace(text, 0);
  if (added) it->second = entry.Metrics.horizontalAdvance(QString::fromUtf8(text));
  return it->second;
}

void TQtContainer::draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text,
                             litehtml::uint_ptr font, litehtml::web_color color,
                             const litehtml::position& pos) {
  if (font == 0 || font > fonts_.size()) return;
  auto* painter = reinterpret_cast<QPainter*>(hdc);
  const TPageFont& entry = *fonts_[font - 1];
  painter->setFont(entry.Font);
  const int baseline = PageCoordinate(qint64{pos.y} + entry.Ascent);
  const QString line = QString::fromUtf8(text);
  if (const TTextEffects& effects = entry.Effects; effects.Shadow)
    DrawTextShadow(*painter, line, QPoint(pos.x + effects.ShadowX, baseline + effects.ShadowY),
                   ToQColor(effects.ShadowColor), effects.ShadowBlur);
  painter->setPen(ToQColor(color));
  painter->drawText(pos.x, baseline, line);
}

int TQtContainer::pt_to_px(int pt) const {
  return PointsToPixels(pt);
}

int TQtContainer::get_default_font_size() const {
  return PointsToPixels(settings_.DefFontSize);
}

const litehtml::tchar_t* TQtContainer::get_default_font_name() const {
  return defaultFontName_.c_str();
}

void TQtContainer::draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) {
  auto* painter = reinterpret_cast<QPainter*>(hdc);
  const QRect box = PageRect(marker.pos);
  if (!marker.image.empty()) {
    DrawPicture(*painter, ResolveUrl(marker.image.c_str(), marker.baseurl), box);
    return;
  }
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  const QColor color = ToQColor(marker.color);
  switch (marker.marker_type) {
    case litehtml::list_style_type_circle:
      painter->setPen(color);
      painter->setBrush(Qt::NoBrush);
      painter->drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
      break;
    case litehtml::list_style_type_disc:
      painter->setPen(Qt::NoPen);
      painter->setBrush(color);
      painter->drawEllipse(box);
      break;
    case litehtml::list_style_type_square:
      painter->fillRect(box, color);
      break;
    default:
      break;
  }
  painter->restore();
}

void TQtContainer::load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseUrl,
                              bool) {
  if (!src || !*src || !settings_.ViewImages) return;
  if (auto picture = images_.Get(ResolveUrl(src, baseUrl)); picture && picture->Animated())
    hasAnimations_ = true;
}

void TQtContainer::get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseUrl,
                                  litehtml::size& size) {
  size.width = size.height = 0;
  if (!src || !*src) return;
  if (!settings_.ViewImages) {
    const QSize stated = images_.StatedSize(ResolveUrl(src, baseUrl));
    size.width = stated.width();
    size.height = stated.height();
    return;
  }
  if (auto picture = images_.Get(ResolveUrl(src, baseUrl))) {
    size.width = picture->Size.width();
    size.height = picture->Size.height();
    if (picture->Animated()) hasAnimations_ = true;
  }
}

void TQtContainer::DrawPicture(QPainter& painter, const std::string& file, const QRect& box) {
  if (file.empty() || box.isEmpty()) return;
  auto picture = images_.Get(file);
  if (!picture) return;
  painter.drawImage(box, picture->FrameAt(clockMs_));
}

void TQtContainer::draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) {
  // Printed sheets stay white under the page; its own colour and picture are for the screen.
  if (suppressFill_ || (printing_ && bg.is_root)) return;
  auto* painter = reinterpret_cast<QPainter*>(hdc);
  const QRect clip = PageRect(bg.clip_box);
  if (bg.color.alpha > 0) painter->fillRect(clip, ToQColor(bg.color));
  if (bg.image.empty() || !settings_.ViewImages) return;
  auto picture = images_.Get(ResolveUrl(bg.image.c_str(), bg.baseurl.c_str()));
  if (!picture || bg.image_size.width <= 0 || bg.image_size.height <= 0) return;
  const QImage& frame = picture->FrameAt(clockMs_);
  const QSize tile(bg.image_size.width, bg.image_size.height);
  QBrush brush(frame);
  // A tile of another size is scaled as it is drawn: a scaled copy of the picture would cost
  // the whole tile's memory, and a page can ask for tiles of any size.
  if (frame.size() != tile && !frame.isNull())
    brush.setTransform(QTransform::fromScale(double(tile.width()) / frame.width(),
                                             double(tile.height()) / frame.height()));
  QRect area = clip;
  const QRect one = PageRect(bg.position_x, bg.position_y, tile.width(), tile.height());
  switch (bg.repeat) {
    case litehtml::background_repeat_no_repeat:
      area = area.intersected(one);
      break;
    case litehtml::background_repeat_repeat_x:
      area = area.intersected(QRect(clip.x(), one.y(), clip.width(), one.height()));
      break;
    case litehtml::background_repeat_repeat_y:
      area = area.intersected(QRect(one.x(), clip.y(), one.width(), clip.height()));
      break;
    default:
      break;
  }
  if (area.isEmpty()) return;
  painter->save();
  painter->setBrushOrigin(one.topLeft());
  painter->fillRect(area, brush);
  painter->restore();
}

void TQtContainer::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                                const litehtml::position& pos, bool) {
  auto* painter = reinterpret_cast<QPainter*>(hdc);
  const auto width = [](const litehtml::border& border) {
    return Visible(border) ? PageCoordinate(border.width) : 0;
  };
  const int l = width(borders.left), r = width(borders.right), t = width(borders.top),
            b = width(borders.bottom);
  if (!l && !r && !t && !b) return;
  const QRect box = PageRect(pos);
  const int x0 = box.x(), y0 = box.y(), x1 = x0 + box.width(), y1 = y0 + box.height();
  painter->save();
  painter->setPen(Qt::NoPen);
  auto fill = [&](const litehtml::border& border, bool topOrLeft, const QPolygon& shape) {
    const QColor color = SideColor(border, topOrLeft);
    if (border.style == litehtml::border_style_dotted ||
        border.style == litehtml::border_style_dashed) {
      QPen pen(color, border.width,
               border.style == litehtml::border_style_dotted ? Qt::DotLine : Qt::DashLine);
      painter->setPen(pen);
      const QRect r = shape.boundingRect();
      if (r.width() >= r.height())
        painter->drawLine(r.left(), r.center().y(), r.right(), r.center().y());
      else
        painter->drawLine(r.center().x(), r.top(), r.center().x(), r.bottom());
      painter->setPen(Qt::NoPen);
      return;
    }
    painter->setBrush(color);
    painter->drawPolygon(shape);
  };
  if (t) fill(borders.top, true, Side(x0, y0, x1, y0, x1 - r, y0 + t, x0 + l, y0 + t));
  if (b) fill(borders.bottom, false, Side(x0, y1, x1, y1, x1 - r, y1 - b, x0 + l, y1 - b));
  if (l) fill(borders.left, true, Side(x0, y0, x0 + l, y0 + t, x0 + l, y1 - b, x0, y1));
  if (r) fill(borders.right, false, Side(x1, y0, x1 - r, y0 + t, x1 - r, y1 - b, x1, y1));
  painter->restore();
}

void TQtContainer::set_caption(const litehtml::tchar_t* caption) {
  title_ = caption ? caption : "";
}

void TQtContainer::set_base_url(const litehtml::tchar_t* baseUrl) {
  if (!baseUrl || !*baseUrl) return;
  const std::string base = ExpandBookUrl(Utf8ToCp1251Lossy(baseUrl), documentFile_);
  baseFile_ = base.ends_with('\\') ? base + "index.htm" : base;
}

void TQtContainer::link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) {
}

void TQtContainer::on_anchor_click(const litehtml::tchar_t*, const litehtml::element::ptr&) {
  // Clicks are taken by the view, which asks the link handler before following a link.
}

void TQtContainer::set_cursor(const litehtml::tchar_t*) {}

void TQtContainer::transform_text(litehtml::tstring& text, litehtml::text_transform tt) {
  QString value = QString::fromUtf8(text.c_str());
  if (tt == litehtml::text_transform_uppercase) value = value.toUpper();
  if (tt == litehtml::text_transform_lowercase) value = value.toLower();
  if (tt == litehtml::text_transform_capitalize && !value.isEmpty()) value[0] = value[0].toUpper();
  text = value.toUtf8().toStdString();
}

void TQtContainer::import_css(litehtml::tstring& text, const litehtml::tstring& url,
                              litehtml::tstring& baseUrl) {
  const std::string file = ResolveUrl(url.c_str(), baseUrl.c_str());
  const std::string key = Cp1251LowerString(file);
  // The chain of style sheets that led here: a sheet that imports itself, directly or through
  // others, or a chain too long, or too many sheets on one page, end the import.
  std::string importer =
      Cp1251LowerString(baseUrl.empty() ? documentFile_ : Utf8ToCp1251Lossy(baseUrl.c_str()));
  int depth = 0;
  bool cycle = false;
  for (std::string at = importer; !cycle && depth <= kMaxImportDepth; ++depth) {
    cycle = at == key;
    const auto up = importedBy_.find(at);
    if (up == importedBy_.end()) break;
    at = up->second;
  }
  if (cycle || depth > kMaxImportDepth || imports_ >= kMaxImports) {
    std::fprintf(stderr, "shelf: style sheet %s not imported (%s)\n", Cp1251ToUtf8(file).c_str(),
                 cycle ? "its imports lead back to it" : "too many or too deep imports");
    text.clear();
    return;
  }
  ++imports_;
  importedBy_.try_emplace(key, std::move(importer));
  try {
    text = FilterStyleSheet(DecodePageToUtf8(TComprStream(store_, file).Bytes()));
    baseUrl = Cp1251ToUtf8(file);
    if (const int dropped = DropOverlongSelectors(text); dropped > 0)
      std::fprintf(stderr, "shelf: style sheet %s: %d rule(s) with overlong selectors left out\n",
                   baseUrl.c_str(), dropped);
  } catch (const EFOpenError&) {
    text.clear();
  }
}

void TQtContainer::set_clip(const litehtml::position& pos, const litehtml::border_radiuses&,
                            bool validX, bool validY) {
  if (!painter_) return;
  painter_->save();
  ++clipDepth_;
  QRect area = PageRect(pos);
  if (!validX) area.setLeft(-1000000), area.setRight(1000000);
  if (!validY) area.setTop(-1000000), area.setBottom(1000000);
  painter_->setClipRect(area, Qt::IntersectClip);
}

void TQtContainer::del_clip() {
  if (!painter_ || clipDepth_ == 0) return;
  --clipDepth_;
  painter_->restore();
}

void TQtContainer::get_client_rect(litehtml::position& client) const {
  client = litehtml::position(0, 0, viewport_.width(), viewport_.height());
}

std::shared_ptr<litehtml::element> TQtContainer::create_element(
    const litehtml::tchar_t* tagName, const litehtml::string_map& attributes,
    const std::shared_ptr<litehtml::document>& doc) {
  const litehtml::tstring tag = tagName;
  if (tag == "a") return std::make_shared<TAnchorElement>(doc);
  if (tag == "font") return std::make_shared<TFontElement>(doc);
  if (tag == "td" || tag == "th") return std::make_shared<TCellElement>(doc);
  if (tag == "tr") return std::make_shared<TRowElement>(doc);
  if (tag == "table") return std::make_shared<TTableElement>(doc);
  if (tag == "img") return std::make_shared<TPictureElement>(doc);
  if (tag == "body") return std::make_shared<TBodyElement>(doc);
  if (tag == "hr") return std::make_shared<TRuleElement>(doc);
  if (tag == "br") return std::make_shared<TBreakElement>(doc);
  if (tag == "iframe") return std::make_shared<TInlineFrameElement>(doc);
  const bool control = tag == "select" || tag == "textarea" || tag == "button" ||
                       (tag == "input" && !(attributes.count("type") &&
                                            AsciiLower(attributes.at("type")) == "hidden"));
  if (control) {
    // Every control is a widget of its own: beyond a bound the rest are left out.
    if (++controlsMade_ > kMaxControls) {
      if (controlsMade_ == kMaxControls + 1)
        std::fprintf(stderr, "shelf: page %s: form controls beyond %d left out\n",
                     Cp1251ToUtf8(documentFile_).c_str(), kMaxControls);
      return nullptr;
    }
    return std::make_shared<TFormControlElement>(doc);
  }
  if (tag == "p") return std::make_shared<TClippedElement<litehtml::el_para>>(doc);
  if (tag == "div") return std::make_shared<TClippedElement<litehtml::el_div>>(doc);
  if (tag == "ul" || tag == "ol" || tag == "dl" || tag == "blockquote" || tag == "center" ||
      tag == "pre" || (tag.size() == 2 && tag[0] == 'h' && tag[1] >= '1' && tag[1] <= '6'))
    return std::make_shared<TBlockElement>(doc);
  return nullptr;
}

void TQtContainer::get_media_features(litehtml::media_features& media) const {
  // A printed page's style sheet answers print, so pages may hide their navigation on paper.
  media.type = printing_ ? litehtml::media_type_print : litehtml::media_type_screen;
  media.width = viewport_.width();
  media.height = viewport_.height();
  media.device_width = 1024;
  media.device_height = 768;
  media.color = 8;
  media.monochrome = 0;
  media.color_index = 256;
  media.resolution = 96;
}

void TQtContainer::get_language(litehtml::tstring& language, litehtml::tstring& culture) const {
  language = "ru";
  culture = "";
}

void TQtContainer::split_text(const char* text,
                              const std::function<void(const litehtml::tchar_t*)>& onWord,
                              const std::function<void(const litehtml::tchar_t*)>& onSpace) {
  std::string piece;
  const auto split = [&](const litehtml::tchar_t* word) {
    SplitAfterHyphens(word, [&](std::string_view part) {
      piece.assign(part);
      onWord(piece.c_str());
    });
  };
  litehtml::document_container::split_text(text, split, onSpace);
}

}  // namespace shelf
