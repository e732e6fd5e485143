#include "widgets/element_captions.h"

#include <QPainter>

#include "platform/cp1251.h"
#include "platform/font_table.h"
#include "widgets/book_color.h"

namespace shelf {
namespace {

constexpr int kLetterSpacing = 0;

void DrawCaption(QImage& picture, const std::string& text, const std::string& fontName,
                 int fontSize, std::uint8_t style, std::int32_t color, QRect rect) {
  if (picture.isNull() || text.empty()) return;
  QPainter painter(&picture);
  painter.setFont(BookFont(fontName, fontSize, style));
  painter.setPen(FromBookColor(color));
  painter.setClipRect(rect);
  const QFontMetrics metrics(painter.font());
  for (const QChar ch : ToQString(text)) {
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QString(ch));
    rect.setLeft(rect.left() + metrics.horizontalAdvance(ch) + kLetterSpacing);
  }
}

// Edges as the description gives them: right and bottom are exclusive.
QRect CaptionRect(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}

// Switch pictures: style and colour sets in the order "up", "mvup", "mvdn", "dn".
int SwitchPictureIndex(const std::string& name) {
  if (name == "up") return 0;
  if (name == "mvup") return 1;
  if (name == "mvdn") return 2;
  return 3;
}

template <typename Switch>
void SwitchStyle(const Switch& s, const std::string& name, std::uint8_t& style,
                 std::int32_t& color) {
  const std::uint8_t styles[] = {s.StyleUp, s.StyleMoveUp, s.StyleMoveDown, s.StyleDown};
  const std::int32_t colors[] = {s.ColorUp, s.ColorMoveUp, s.ColorMoveDown, s.ColorDown};
  style = styles[SwitchPictureIndex(name)];
  color = colors[SwitchPictureIndex(name)];
}

template <typename Switch>
const std::string& SwitchText(const Switch& s, const std::string& name) {
  return name.find("up") != std::string::npos ? s.CaptionUp : s.CaptionDown;
}

}  // namespace

void DrawButtonCaption(QImage& picture, const RBtn& b, const std::string& name) {
  const std::uint8_t style = name == "up" ? b.StyleUp : name == "mv" ? b.StyleMove : b.StyleDown;
  const std::int32_t color = name == "up" ? b.ColorUp : name == "mv" ? b.ColorMove : b.ColorDown;
  DrawCaption(picture, b.Caption, b.FontName, b.FontSize, style, color,
              CaptionRect(b.CaptionLeft, b.CaptionTop, b.CaptionRight, b.CaptionBottom));
}

void DrawSwitchCaption(QImage& picture, const RSwthOne& s, const std::string& name) {
  std::uint8_t style;
  std::int32_t color;
  SwitchStyle(s, name, style, color);
  const bool offPicture = name == "up" || name == "mvup";
  const QRect rect =
      offPicture ? CaptionRect(s.CaptionLeftUp, s.CaptionTopUp, s.CaptionRightUp, s.CaptionBottomUp)
                 : CaptionRect(s.CaptionLeftDown, s.CaptionTopDown, s.CaptionRightDown,
                               s.CaptionBottomDown);
  DrawCaption(picture, SwitchText(s, name), s.FontName, s.FontSize, style, color, rect);
}

void DrawGroupCaption(QImage& picture, const RSwthGrp& s, const std::string& name) {
  std::uint8_t style;
  std::int32_t color;
  SwitchStyle(s, name, style, color);
  std::string text = SwitchText(s, name);
  // Captions arrive lower-cased; the two view switches read better as written on the disc.
  if (AsciiLower(text) == "2d" || AsciiLower(text) == "3d") text[1] = 'D';
  DrawCaption(picture, text, s.FontName, s.FontSize, style, color,
              CaptionRect(s.CaptionLeft, s.CaptionTop, s.CaptionRight, s.CaptionBottom));
}

}  // namespace shelf
