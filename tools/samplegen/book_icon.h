// The sample book's icon: a closed manual with a bookmark, as the window and task bar show it.
#pragma once

#include <QImage>

namespace shelf::samplegen {

QImage BookIcon(int size);

}  // namespace shelf::samplegen
