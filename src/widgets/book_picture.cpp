#include "widgets/book_picture.h"

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

}  // namespace shelf
