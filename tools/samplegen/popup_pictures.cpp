#include "popup_pictures.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include "picture_files.h"
#include "window_art.h"

namespace shelf::samplegen {
namespace {

constexpr QSize kListPanel(250, 120);
constexpr QSize kListItem(240, 24);
constexpr QSize kMenuPlate(236, 144);
constexpr QSize kMenuItem(212, 26);
constexpr int kCut = 12;  // the plate's cut corners

const QColor kPanel(0x14, 0x22, 0x30);
const QColor kPanelEdge(0x55, 0x6b, 0x80);
const QColor kMenuGround(0x1d, 0x2f, 0x42);

QImage Canvas(QSize size, const QColor& fill) {
  QImage image(size, QImage::Format_RGB888);
  image.fill(fill);
  return image;
}

// The list panel: a dark plate with a lit rule at the top and bottom. The program stretches it
// to its items by repeating its middle row, so its sides are plain vertical lines.
QImage ListPanel() {
  QImage image = Canvas(kListPanel, kPanel);
  QPainter p(&image);
  p.setPen(kPanelEdge);
  p.drawRect(QRect(QPoint(0, 0), kListPanel - QSize(1, 1)));
  p.setPen(kBlueprint);
  p.drawLine(1, 1, kListPanel.width() - 2, 1);
  p.drawLine(1, kListPanel.height() - 2, kListPanel.width() - 2, kListPanel.height() - 2);
  return image;
}

// An item: plain on the panel, a lit bar under the pointer, a darker sunk bar when pressed.
QImage Item(QSize size, const QColor& ground, int state) {
  QImage image = Canvas(size, ground);
  if (state == 0) return image;
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bar(0, 0, 0, size.height());
  bar.setColorAt(0, state == 1 ? QColor(0x3a, 0x66, 0x8e) : QColor(0x1c, 0x34, 0x4a));
  bar.setColorAt(1, state == 1 ? QColor(0x24, 0x46, 0x66) : QColor(0x12, 0x24, 0x34));
  p.setBrush(bar);
  p.setPen(state == 1 ? kBlueprint : kPanelEdge);
  p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 4, 4);
  return image;
}

QImage MenuPlate() {
  QImage image = Canvas(kMenuPlate, Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(kMenuGround);
  p.setPen(QPen(kBlueprint, 1.5));
  p.drawPolygon(QPolygonF(QPolygon(MenuPlateOutline())).translated(0.5, 0.5));
  return image;
}

}  // namespace

QPolygon MenuPlateOutline() {
  const int w = kMenuPlate.width() - 1, h = kMenuPlate.height() - 1;
  return QPolygon({{0, kCut},
                   {kCut, 0},
                   {w - kCut, 0},
                   {w, kCut},
                   {w, h - kCut},
                   {w - kCut, h},
                   {kCut, h},
                   {0, h - kCut}});
}

std::vector<TBookFile> PopupPictures() {
  const auto file = [](const char* name, const QImage& image) {
    return TBookFile{QString("run/") + name, false, Bitmap(image)};
  };
  return {file("pop_list.bmp", ListPanel()),
          file("pop_item1.bmp", Item(kListItem, kPanel, 0)),
          file("pop_item2.bmp", Item(kListItem, kPanel, 1)),
          file("pop_item3.bmp", Item(kListItem, kPanel, 2)),
          file("pop_menu.bmp", MenuPlate()),
          file("pop_menu1.bmp", Item(kMenuItem, kMenuGround, 0)),
          file("pop_menu2.bmp", Item(kMenuItem, kMenuGround, 1)),
          file("pop_menu3.bmp", Item(kMenuItem, kMenuGround, 2))};
}

}  // namespace shelf::samplegen
