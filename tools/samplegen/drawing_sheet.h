// A white sheet for one of the manual's illustrations: the picture and an antialiased painter on
// it, handed over as an image when the drawing is done.
#pragma once

#include <QImage>
#include <QPainter>

namespace shelf::samplegen {

class TDrawingSheet {
 public:
  TDrawingSheet(int width, int height);
  QPainter& P() { return painter_; }
  // Ends painting and hands the picture over.
  QImage Finish();

 private:
  QImage image_;
  QPainter painter_;
};

}  // namespace shelf::samplegen
