#include "html/page_picture.h"

namespace shelf {

const QImage& TPagePicture::FrameAt(qint64 elapsedMs) const {
  if (!Animated()) return Frames.front();
  qint64 t = elapsedMs % Cycle;
  for (std::size_t i = 0; i < Frames.size(); ++i) {
    if (t < Delays[i]) return Frames[i];
    t -= Delays[i];
  }
  return Frames.back();
}

}  // namespace shelf
