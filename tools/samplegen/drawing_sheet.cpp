#include "drawing_sheet.h"

#include "drawing_style.h"

namespace shelf::samplegen {

TDrawingSheet::TDrawingSheet(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(kPaper);
  painter_.begin(&image_);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  painter_.setPen(OutlinePen());
}

QImage TDrawingSheet::Finish() {
  painter_.end();
  return image_;
}

}  // namespace shelf::samplegen
