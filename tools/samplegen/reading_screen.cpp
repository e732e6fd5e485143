#include "reading_screen.h"

#include "sample_layout.h"
#include "window_art.h"

namespace shelf::samplegen {
namespace {

void DrawPageFrame(QPainter& p) {
  // The program covers the inside with its white panel; white here too, so nothing shows
  // through while it is being placed.
  DrawRecess(p, layout::kPagePanel, 5, Qt::white);
  // A small marker before the page title the program writes above the frame.
  p.setPen(Qt::NoPen);
  p.setBrush(kBlueprint);
  p.drawPolygon(QPolygonF(QList<QPointF>{{36, 60}, {41, 55}, {46, 60}, {41, 65}}));
}

void DrawToolRail(QPainter& p) {
  DrawBand(p, layout::kToolRail);
  // Thin rules between the groups of tools (see kToolTops).
  p.setPen(QPen(QColor(0x55, 0x6b, 0x80), 1));
  const int left = layout::kToolRail.left() + 12;
  const int right = layout::kToolRail.right() - 12;
  for (const int below : layout::kToolGroupEnds) {
    const int y =
        (layout::kToolTops[below] + layout::kToolSize.height() + layout::kToolTops[below + 1]) / 2;
    p.drawLine(left, y, right, y);
  }
}

void DrawStatusAndFolder(QPainter& p) {
  DrawRecess(p, layout::kStatusBox, 3, QColor(0x08, 0x10, 0x17));
  DrawRecess(p, layout::kPathBox, 3, Qt::white);
  p.setPen(kDimInk);
  p.setFont(Font("Liberation Sans", 12));
  p.drawText(
      QRect(layout::kStatusBox.right() + 10, layout::kPathBox.top(),
            layout::kPathBox.left() - layout::kStatusBox.right() - 18, layout::kPathBox.height()),
      Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8("Копировать в:"));
  // The keys, in the row of the clip buttons and left of them.
  p.setPen(kMutedInk);
  p.setFont(Font("Liberation Sans", 11));
  p.drawText(QRectF(layout::kStatusBox.left(), layout::kClipButtonsTop,
                    layout::kClipButtonsLeft - 8 - layout::kStatusBox.left(),
                    layout::kClipButtonSize.height()),
             Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("Shift+↑/↓ — соседняя глава  ·  Ctrl+F — поиск  ·  "
                               "Ctrl+I — в закладки  ·  F1 — справка"));
}

// Clips play in a dark opening of their own, never over the page.
void DrawClipFrame(QPainter& p) {
  DrawRecess(p, layout::kClipWindow, 4, kNight);
}

}  // namespace

QImage ReadingScreen() {
  QImage image = NewScreen();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  DrawPageFrame(p);
  DrawToolRail(p);
  DrawStatusAndFolder(p);
  DrawClipFrame(p);
  return image;
}

}  // namespace shelf::samplegen
