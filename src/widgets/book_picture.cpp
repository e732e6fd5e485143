#include "widgets/book_picture.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "store/compr_stream.h"

namespace shelf {

QImage LoadBookPicture(const TBookStore& store, std::string_view dosPath) {
  try {
    const TComprStream stream(store, dosPath);
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(stream.Bytes().data()),
                       static_cast<int>(stream.Size()));
    return image;
  } catch (const EFOpenError&) {
    return {};
  }
}

void SetBookIcon(QWidget& window, const TBookStore& store, std::string_view dosPath) {
  const QImage icon = LoadBookPicture(store, dosPath);
  if (icon.isNull()) return;
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
  window.setWindowIcon(QApplication::windowIcon());
}

}  // namespace shelf
