#include "widgets/cross_fade.h"

#include <algorithm>
#include <array>

namespace shelf {
namespace {

int BytesPerPixel(QImage::Format format) {
  switch (format) {
    case QImage::Format_RGB888:
      return 3;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

bool CrossFade(QImage& target, const QImage& to, const QImage& from, int level) {
  const int bytesPerPixel = BytesPerPixel(from.format());
  if (bytesPerPixel == 0 || to.format() != from.format() || target.format() != from.format() ||
      level < 0 || level > 255)
    return false;

  // One entry per difference -255..255; the shift floors negative products as well.
  std::array<int, 511> step;
  for (int d = -255; d <= 255; ++d) step[d + 255] = (level * d) >> 8;

  const int height = std::min({target.height(), to.height(), from.height()});
  const int rowBytes = std::min({target.width(), to.width(), from.width()}) * bytesPerPixel;
  for (int y = 0; y < height; ++y) {
    const uchar* f = from.constScanLine(y);
    const uchar* t = to.constScanLine(y);
    uchar* out = target.scanLine(y);
    for (int x = 0; x < rowBytes; ++x) out[x] = static_cast<uchar>(f[x] + step[t[x] - f[x] + 255]);
  }
  return true;
}

}  // namespace shelf
