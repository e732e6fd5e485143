// The busy animation of the sample book: a piston running in its cylinder, as an endlessly
// looping GIF (Qt reads GIF but cannot write it, so giflib encodes the frames).
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

namespace shelf::samplegen {

// The colour the frames are drawn on; the title screen's window behind the animation has it too.
inline const QColor kPistonGround(0x10, 0x1a, 0x25);

// The GIF file's bytes, or empty with `error` set.
QByteArray PistonGif(QString& error);

}  // namespace shelf::samplegen
