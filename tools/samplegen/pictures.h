// The sample book's pictures, drawn in code so that the repository holds no binary art.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace shelf::samplegen {

struct TPicture {
  QString name;  // path under the book's top folder
  bool loose;    // stays beside the container instead of inside it
  QImage image;
};

std::vector<TPicture> DrawPictures();

}  // namespace shelf::samplegen
