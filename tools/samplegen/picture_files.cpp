#include "picture_files.h"

#include <QBuffer>
#include <QImageWriter>

namespace shelf::samplegen {

QByteArray Bitmap(const QImage& image) {
  constexpr int kDotsPerMetre = 3780;
  QImage picture = image.convertToFormat(QImage::Format_RGB888);
  picture.setDotsPerMeterX(kDotsPerMetre);
  picture.setDotsPerMeterY(kDotsPerMetre);
  return Encoded(picture, "bmp");
}

QByteArray Encoded(const QImage& image, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  if (!writer.write(image)) return {};
  return bytes;
}

}  // namespace shelf::samplegen
