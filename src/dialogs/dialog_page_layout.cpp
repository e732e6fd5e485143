#include "dialogs/dialog_page_layout.h"

#include <QPainter>
#include <algorithm>

namespace shelf {

TDialogPageLayout LayOutDialogPage(const RDialogPage& page, QSize message) {
  TDialogPageLayout layout;
  if (page.HasText) {
    const RText& text = page.Text;
    const int area = text.Right - text.Left;
    if (message.width() > area) {
      layout.Extra = int(std::min<qint64>(qint64{message.width()} - area, kMaxDialogWidening));
      layout.TextAt = QPoint(text.Left, text.Top);
      layout.TextClip = QRect(QPoint(text.Left, text.Top), QPoint(text.Right + layout.Extra - 1,
                                                                  text.Top + message.height() - 1));
    } else {
      layout.TextAt = QPoint(text.Left + (area - message.width()) / 2, text.Top);
      layout.TextClip = QRect(QPoint(text.Left, text.Top),
                              QPoint(text.Right - 1, text.Top + message.height() - 1));
    }
  }
  for (const RBtn& b : page.Buttons) {
    const int shift = b.Align == "left" ? 0 : b.Align == "middle" ? layout.Extra / 2 : layout.Extra;
    layout.Buttons.emplace_back(b.Left + shift, b.Top, b.Right - b.Left, b.Bottom - b.Top);
  }
  return layout;
}

QImage WidenPicture(const QImage& picture, int extra) {
  if (extra <= 0 || picture.isNull()) return picture;
  const int half = picture.width() / 2;
  QImage wide(picture.width() + extra, picture.height(), picture.format());
  QPainter painter(&wide);
  painter.drawImage(QPoint(0, 0), picture, QRect(0, 0, half, picture.height()));
  painter.drawImage(QPoint(half + extra, 0), picture,
                    QRect(half, 0, picture.width() - half, picture.height()));
  const QImage column = picture.copy(half, 0, 1, picture.height());
  for (int x = half; x < half + extra; ++x) painter.drawImage(x, 0, column);
  return wide;
}

}  // namespace shelf
