// The print preview's toolbar pictures: the desktop theme's icons where it has them, else our
// own, painted as vectors at the size asked for so they stay crisp at any screen scale.
#pragma once

#include <QIcon>

namespace shelf {

// The sixteen toolbar images in their order (print, first, previous, next, last, go to page,
// whole sheet, sheet width, start print scale, print-scale tool, view-zoom tool, hand, one
// sheet, two sheets, help, close).
constexpr int kPreviewIconCount = 16;
QIcon PreviewIcon(int image);
// The orientation button's sheet: standing up when off, lying down when on.
QIcon OrientationIcon();

}  // namespace shelf
