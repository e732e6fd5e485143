// Pictures of the book (BMP, GIF, JPEG, PNG, ICO) decoded from book streams, so that they come
// from the container or from loose files alike.
#pragma once

#include <QImage>
#include <string_view>

class QWidget;

namespace shelf {

class TBookStore;

// A null image when the file is missing or cannot be decoded: callers skip such pictures.
QImage LoadBookPicture(const TBookStore& store, std::string_view dosPath);
// The book's icon on the application and `window`; one that cannot be read leaves the
// program's own.
void SetBookIcon(QWidget& window, const TBookStore& store, std::string_view dosPath);

}  // namespace shelf
