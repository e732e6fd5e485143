#include "thesaurus_screen.h"

#include <QPainter>

#include "window_art.h"

namespace shelf::samplegen {

using namespace thesaurus_layout;

QImage ThesaurusScreen() {
  QImage image(kSize, QImage::Format_RGB32);
  image.fill(kNight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // A faint blueprint grid under everything.
  p.setPen(QPen(QColor(0x7f, 0xd3, 0xff, 22), 1));
  for (int x = 0; x < kSize.width(); x += 20) p.drawLine(x, 0, x, kSize.height());
  for (int y = 0; y < kSize.height(); y += 20) p.drawLine(0, y, kSize.width(), y);
  p.setPen(QPen(QColor(0x6f, 0x86, 0x9b), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, kSize.width() - 2, kSize.height() - 2));

  p.setPen(kInk);
  p.setFont(Font("Liberation Sans", 18, QFont::Bold));
  p.drawText(QRect(20, 6, 400, 30), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("Тезаурус"));
  p.setPen(kDimInk);
  p.setFont(Font("Liberation Sans", 12));
  p.drawText(QRect(140, 6, 420, 30), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("словарь терминов «Вектор-2107»"));

  DrawBand(p, QRectF(12, 40, 616, 42));
  p.setPen(kDimInk);
  p.setFont(Font("Liberation Sans", 13));
  p.drawText(QRect(22, kFindBox.top(), 66, kFindBox.height()), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("Термин:"));
  DrawRecess(p, kFindBox.adjusted(-2, -2, 2, 2), 3, Qt::white);
  DrawRecess(p, kPage, 5, Qt::white);
  DrawRecess(p, kStatus, 2, QColor(0x08, 0x10, 0x17));
  return image;
}

}  // namespace shelf::samplegen
