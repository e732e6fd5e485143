#include "popup/items_btn.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/cp1251.h"
#include "platform/font_table.h"
#include "widgets/book_color.h"
#include "widgets/book_picture.h"

namespace shelf {
namespace {

const std::string& NameAt(const TDynamicStringArray& names, int position) {
  static const std::string none;
  if (names.empty()) return none;
  return position < static_cast<int>(names.size()) ? names[position] : names.front();
}

constexpr int kCaptionLeft = 7;
constexpr int kCaptionMargins = 14;

}  // namespace

void TItemsBtn::Setup(const RPopupData& record, int position) {
  Command.clear();
  hint_.clear();
  caption_.clear();  // the pictures are read afresh, without a caption
  shownCaption_.clear();
  pictureUp_ = NameAt(record.ButtonPicturesUp, position);
  pictureMove_ = NameAt(record.ButtonPicturesMove, position);
  pictureDown_ = NameAt(record.ButtonPicturesDown, position);
  fontUp_ = record.FontUp;
  fontMove_ = record.FontMove;
  sizeUp_ = record.SizeUp;
  sizeMove_ = record.SizeMove;
  styleUp_ = record.StyleUp;
  styleMove_ = record.StyleMove;
  colorUp_ = record.ColorUp;
  colorMove_ = record.ColorMove;
}

void TItemsBtn::LoadPictures(const TBookStore& store) {
  const auto load = [&](QImage& picture, const std::string& name) {
    QImage loaded = LoadBookPicture(store, name);
    if (!loaded.isNull()) picture = loaded.convertToFormat(QImage::Format_RGB32);
  };
  load(up_, pictureUp_);
  load(move_, pictureMove_);
  load(down_, pictureDown_);
  Bounds.setSize(up_.size());
}

const QImage& TItemsBtn::Picture() const {
  if (Pressed && !down_.isNull()) return down_;
  if (Hovered && !move_.isNull()) return move_;
  return up_;
}

void TItemsBtn::SetItemCaption(const TBookStore& store, const std::string& caption) {
  if (caption == caption_) return;
  LoadPictures(store);
  caption_ = caption;
  const QString text = ToQString(caption);
  const int width = Bounds.width(), height = Bounds.height();
  struct Face {
    QImage* picture;
    QFont font;
    QColor color;
  };
  const Face faces[] = {
      {&up_, BookFont(fontUp_, sizeUp_, StyleFromWords(styleUp_)), FromBookColor(colorUp_)},
      {&move_, BookFont(fontMove_, sizeMove_, StyleFromWords(styleMove_)),
       FromBookColor(colorMove_)},
      {&down_, BookFont(fontMove_, sizeMove_, StyleFromWords(styleMove_)),
       FromBookColor(colorMove_)}};
  // The caption as the normal picture's font shortens it; every picture draws that text.
  QString shown = text;
  for (int f = 0; f < 3; ++f) {
    const QFontMetrics metrics(faces[f].font);
    const int w = metrics.horizontalAdvance(text), h = metrics.height();
    QRect box;
    if (h < height)
      box.setCoords(kCaptionLeft, (height - h) / 2, 0, (height - h) / 2 + h - 1);
    else
      box.setCoords(kCaptionLeft, -3, 0, height - 1);
    const bool fits = w + kCaptionMargins < width;
    box.setRight(fits ? w + kCaptionLeft - 1 : width - kCaptionLeft - 1);
    if (f == 0) {
      hint_ = fits ? std::string() : caption;
      if (metrics.horizontalAdvance(text) > box.width()) {
        for (qsizetype n = text.size() - 1; n > 0; --n) {
          const QString cut = text.left(n) + "...";
          if (metrics.horizontalAdvance(cut) <= box.width()) {
            shown = cut;
            break;
          }
        }
      }
      shownCaption_ = FromQString(shown);
    }
    if (faces[f].picture->isNull()) continue;
    QPainter painter(faces[f].picture);
    painter.setFont(faces[f].font);
    painter.setPen(faces[f].color);
    painter.setClipRect(box);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
  }
}

}  // namespace shelf
