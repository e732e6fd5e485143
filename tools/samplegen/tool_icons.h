// Line icons for the reading screen's tools and the media buttons, drawn with the painter's current
// pen into a box.
#pragma once

#include <QPainter>
#include <QRectF>

namespace shelf::samplegen {

enum class TToolIcon {
  Title,
  Back,
  Forward,
  History,
  HistoryForward,
  PrevChapter,
  NextChapter,
  Bookmarks,
  AddBookmark,
  DeleteBookmark,
  Find,
  Print,
  Unpack,
  // Media: the music switch and the clip buttons.
  Music,
  Play,
  Pause,
  Stop,
  StepBack,
  StepForward
};

void DrawToolIcon(QPainter& p, TToolIcon icon, const QRectF& box);

}  // namespace shelf::samplegen
