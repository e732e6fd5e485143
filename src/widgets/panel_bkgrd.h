// The panel of the reading screen that holds the contents tree and the page area side by side,
// split by a bar in the book's splitter colour. Hidden until a screen places its page on it.
#pragma once

#include <QWidget>
#include <cstdint>

class QSplitter;

namespace shelf {

class TPanelBkgrd : public QWidget {
  Q_OBJECT

 public:
  // `splitterColor` as the book writes colours: red + green * 256 + blue * 65536.
  TPanelBkgrd(QWidget* window, std::int32_t splitterColor);
  QSplitter* Splitter() const { return splitter_; }

 private:
  QSplitter* splitter_;
};

}  // namespace shelf
