// The blend behind every cross-fade: each byte of the frame is From + (To - From) x Level / 256,
// on 24-bit (or 8-bit) images whose rows are walked by their own stride.
#pragma once

#include <QImage>

namespace shelf {

// Target := From + ((To - From) x Level) >> 8, byte by byte, Level 0..255. The three images must
// share one format, Format_RGB888 or an 8-bit one; only the area all three cover is written.
// False (and nothing written) for other formats or a level outside 0..255. Level 255 lands within
// one unit of To: white over black gives 254.
bool CrossFade(QImage& target, const QImage& to, const QImage& from, int level);

}  // namespace shelf
