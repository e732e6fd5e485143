#include "widgets/text_msg.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/cp1251.h"
#include "platform/font_table.h"
#include "widgets/book_color.h"
#include "widgets/draw_target.h"

namespace shelf {
namespace {

QRect TextRect(QPoint at, const QFontMetrics& metrics, const QString& text) {
  return QRect(at, QSize(metrics.horizontalAdvance(text), metrics.height()));
}

}  // namespace

TTextMsg::TTextMsg(const TDynamicTextArray& labels, TDrawTarget* mainWindow)
    : mainWindow_(mainWindow) {
  labels_.reserve(labels.size());
  for (const RText& r : labels) {
    labels_.push_back({BookFont(r.FontName, r.FontSize, StyleFromWords(r.Style)),
                       FromBookColor(r.Color), QRect(r.Left, r.Top, r.Right - r.Left, 0), r.Value,
                       r.Screen, r.Number, r.Ident});
  }
}

void TTextMsg::Paint(QPainter& painter, int currentScreen, TLabelSurface surface) {
  painter.save();
  for (Label& label : labels_) {
    const bool onDialog = label.number == kDialogNumber;
    if (label.screen != currentScreen || onDialog != (surface == TLabelSurface::Dialog)) continue;
    painter.setFont(label.font);
    painter.setPen(label.color);
    const QString text = ToQString(label.text);
    label.rect = TextRect(label.rect.topLeft(), painter.fontMetrics(), text);
    painter.setClipRect(label.rect);
    painter.drawText(label.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  }
  painter.restore();
}

void TTextMsg::SetText(std::string_view text, int key, bool redraw) {
  for (Label& label : labels_) {
    if (key >= 0 && label.number == key) {
      SetLabelText(label, text, redraw);
      return;
    }
    if (key == kStatusLine && AsciiLower(label.ident) == "statusline")
      SetLabelText(label, text, redraw);
  }
}

void TTextMsg::SetLabelText(Label& label, std::string_view text, bool redraw) {
  if (label.text == text) return;
  label.text = text;
  TDrawTarget* target = label.number == kDialogNumber ? dialog_ : mainWindow_;
  if (!redraw || !target) return;
  const QRect now = TextRect(label.rect.topLeft(), QFontMetrics(label.font), ToQString(text));
  target->RepaintArea(label.rect.isEmpty() ? now : label.rect.united(now));
}

std::unique_ptr<TTextMsg> CreateTextMsg(const TDynamicTextArray& labels, TDrawTarget* mainWindow) {
  if (labels.empty()) return nullptr;
  return std::make_unique<TTextMsg>(labels, mainWindow);
}

}  // namespace shelf
