// The preview's five pointer cursors, known by their numbers: 140 zoom, 141 zoom in,
// 142 zoom out, 143 open hand, 144 closed hand.
#pragma once

#include <QCursor>

namespace shelf {

enum TPreviewCursor {
  crZoom = 140,
  crZoomIn = 141,
  crZoomOut = 142,
  crHandOpened = 143,
  crHandClosed = 144
};

QCursor PreviewCursor(TPreviewCursor cursor);

}  // namespace shelf
