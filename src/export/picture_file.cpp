#include "export/picture_file.h"

#include <QBuffer>
#include <QImage>

namespace shelf {

std::optional<REpubResource> EpubPicture(std::string bytes) {
  const auto starts = [&](std::string_view magic) { return bytes.starts_with(magic); };
  if (starts("\x89PNG\r\n\x1a\n")) return REpubResource{std::move(bytes), "png", "image/png"};
  if (starts("GIF87a") || starts("GIF89a"))
    return REpubResource{std::move(bytes), "gif", "image/gif"};
  if (starts("\xff\xd8\xff")) return REpubResource{std::move(bytes), "jpg", "image/jpeg"};
  if (!starts("BM") || bytes.size() > (1u << 30)) return std::nullopt;
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                          static_cast<int>(bytes.size()), "BMP"))
    return std::nullopt;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return std::nullopt;
  return REpubResource{png.toStdString(), "png", "image/png"};
}

}  // namespace shelf
