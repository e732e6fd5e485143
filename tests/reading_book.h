// A small loose book for the tests of the reading screen's helpers: a contents tree, chapter,
// history and favorites buttons, two section switches, history, favorites and page popups on
// the reading screen and a numbered menu on the title screen.
#pragma once

#include <QImage>
#include <filesystem>
#include <string>

#include "platform/cp1251.h"
#include "test_support.h"

namespace shelf::test {

inline std::string ReadingPage(const std::string& title, const std::string& body) {
  return *Utf8ToCp1251("<html><head><title>" + title + "</title></head><body>" + body +
                       "</body></html>");
}

// A page long enough to be scrolled.
inline std::string LongText() {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "<p>Строка " + std::to_string(i);
  return text;
}

// Buttons of the reading screen, in this order, 40 pixels apart from y = 100 at x = 720.
inline constexpr const char* kReadingButtons[] = {
    "nextchapter", "prevchapter",    "back",         "forward",
    "historyback", "historyforward", "showfavorite", "deletefromfavorite"};

inline std::string PopupSection(int screen, const std::string& type, const std::string& items) {
  const std::string n = std::to_string(screen);
  return n +
         "_popup xfon=-1;yfon=-1;fnfon=pop.bmp;xbtn=-1;ybtn=-1\r\n"
         "fnbtnup=[item.bmp]\r\nfnbtnmove=[itemm.bmp]\r\nfnbtndown=[itemm.bmp]\r\n"
         "fontup=arial;sizeup=9;styleup=;colorup=0,0,0;fontmv=arial;sizemv=9;stylemv=bold;"
         "colormv=255,0,0\r\n" +
         items + "parent=;type=" + type + "\r\nvertex=[]\r\n";
}

inline std::filesystem::path MakeReadingBook(const std::filesystem::path& dir) {
  const std::filesystem::path book = dir / "book";
  std::string text =
      "1_screen=fon1.bmp\r\n"
      "1button vx=10;vy=10;fn1=btn.bmp;fn2=btn.bmp;fn3=btn.bmp;go=contextmenu7;hint=h;wav=no\r\n";
  text += PopupSection(1, "7",
                       "caption=[Читать;Очень длинная надпись пункта меню, которая не помещается;"
                       "Третий]\r\ngo=[2;2;3]\r\n");
  text +=
      "2_html vx=33;vy=90;vw=706;vh=511;fn=a.htm;number=1\r\n"
      "2_tree vw=233;vh=511;colorselect=0,0,128;colorselecttext=255,255,255;fn=contents.txt\r\n";
  int y = 100;
  for (const char* command : kReadingButtons) {
    text += "2button vx=720;vy=" + std::to_string(y) +
            ";fn1=btn.bmp;fn2=btn.bmp;fn3=btn.bmp;go=" + command + ";hint=h;wav=no\r\n";
    y += 40;
  }
  for (const char* page : {"a.htm", "d.htm"}) {
    text += "2switchgrp vx=" + std::string(page[0] == 'a' ? "740" : "770") +
            ";vy=20;fn1=btn.bmp;fn2=btn.bmp;fn3=btn.bmp;fn4=btn.bmp;state=off;store=off;"
            "group=1;go=html1=" +
            page + ";hint=h;wav=no\r\n";
  }
  text += PopupSection(2, "historyback", "caption=[]\r\ngo=[]\r\n");
  text += PopupSection(2, "historyforward", "caption=[]\r\ngo=[]\r\n");
  text += PopupSection(2, "favorite", "caption=[]\r\ngo=[]\r\n");
  text += PopupSection(2, "contexthtml",
                       "caption=[В закладки;Выделить всё;Шрифт страницы]\r\n"
                       "go=[addtofavorite;selectallhtml;deffonthtml]\r\n");
  text += "2_screen=fon1.bmp\r\n";

  WriteTree(book / "run",
            {{"Struct.txt", *Utf8ToCp1251(text)},
             {"Title.txt", *Utf8ToCp1251("Книга для проверки\r\n")},
             {"contents.txt", *Utf8ToCp1251("a.htm;Начало\r\nd.htm;Глава Д\r\n\td.htm;Раздел Д1\r\n"
                                            "\te.htm;Раздел Е\r\nb.htm;Последняя\r\n")},
             {"a.htm", ReadingPage("Начало", "<p><a href=\"d.htm\">Глава Д</a>")},
             {"b.htm", ReadingPage("Последняя", LongText())},
             {"d.htm", ReadingPage("Глава Д", "<p><a href=\"e.htm\">Раздел Е</a>")},
             {"e.htm", ReadingPage("Раздел Е", "<p>Текст раздела")}});
  const auto save = [&](const char* name, int w, int h, Qt::GlobalColor color) {
    QImage picture(w, h, QImage::Format_RGB888);
    picture.fill(color);
    picture.save(QString::fromStdString((book / "run" / name).string()), "BMP");
  };
  save("fon1.bmp", 800, 600, Qt::darkCyan);
  save("btn.bmp", 30, 30, Qt::gray);
  save("pop.bmp", 200, 100, Qt::lightGray);
  save("item.bmp", 180, 20, Qt::white);
  save("itemm.bmp", 180, 20, Qt::yellow);
  return book;
}

}  // namespace shelf::test
