// One decoded picture of a page: its frames (several for an animated GIF) with their delays.
#pragma once

#include <QImage>
#include <QSize>
#include <vector>

namespace shelf {

struct TPagePicture {
  std::vector<QImage> Frames;
  std::vector<int> Delays;  // milliseconds, one per frame
  int Cycle = 0;            // sum of the delays
  QSize Size;               // as the file states it; frames may be smaller for huge pictures

  bool Animated() const { return Frames.size() > 1 && Cycle > 0; }
  qint64 Bytes() const {
    qint64 bytes = 0;
    for (const QImage& frame : Frames) bytes += frame.sizeInBytes();
    return bytes;
  }
  // The frame on show `elapsedMs` after the page appeared.
  const QImage& FrameAt(qint64 elapsedMs) const;
};

}  // namespace shelf
