// What the benchmarks of pages share: one application object for the whole run, and pages and
// pictures shaped like a 2000-era repair manual's.
#pragma once

#include <stdlib.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <string>

#include "platform/cp1251.h"

namespace shelf {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "shelf-bench";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Never freed: Qt's own statics may be gone by the time exit handlers run.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

inline std::string Png(int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb((x * seed) & 255, y & 255, seed));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

inline const char* kSentence =
    "Перед снятием двигателя отсоедините провод от минусовой клеммы аккумуляторной батареи, "
    "слейте охлаждающую жидкость и масло из картера. ";

// A page of a repair manual as the editors of the time wrote it: headings, paragraphs in
// <font>, links, tables of values, lines ending in CR LF and indented markup.
inline std::string ManualPage(std::size_t bytes, int pictures) {
  std::string page =
      "<html><head><title>Двигатель</title></head><body bgcolor=#ffffff link=#003366>"
      "<center><h1>Двигатель</h1></center>";
  for (int i = 0; i < pictures; ++i)
    page += "<p><img src=\"pics/p" + std::to_string(i) + ".png\" title=\"Рисунок " +
            std::to_string(i) + "\" align=" + (i % 2 ? "right" : "left") + " hspace=6>";
  for (int block = 0; Utf8ToCp1251Lossy(page).size() < bytes; ++block) {
    page += "\r\n<h3><a name=\"s" + std::to_string(block) + "\">Раздел " + std::to_string(block) +
            "</a></h3>\r\n<p><font face=Arial size=2>\r\n";
    for (int s = 0; s < 4; ++s) page += std::string(kSentence) + "\r\n";
    page += "<a href=\"page" + std::to_string(block) + ".htm\">Подробнее</a> <b>Внимание!</b> ";
    page += "</font></p>\r\n<table border=1 cellpadding=3 cellspacing=0 width=90%>\r\n";
    for (int row = 0; row < 4; ++row)
      page += "  <tr>\r\n    <td bgcolor=#eeeeff>Болт " + std::to_string(row) +
              "</td>\r\n    <td align=right>" + std::to_string(20 + row) + "–" +
              std::to_string(25 + row) + " Н·м</td>\r\n    <td>М10×1,25</td>\r\n  </tr>\r\n";
    page += "</table>\r\n";
  }
  return Utf8ToCp1251Lossy(page + "</body></html>");
}

}  // namespace shelf
