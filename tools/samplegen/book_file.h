// A file the sample book generator makes, with where it goes.
#pragma once

#include <QByteArray>
#include <QString>

namespace shelf::samplegen {

struct TBookFile {
  QString Name;  // path under the book's top folder
  bool Loose;    // stays beside the container instead of inside it
  QByteArray Bytes;
};

}  // namespace shelf::samplegen
