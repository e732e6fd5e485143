// Encodes pictures as GIF files with giflib: Qt reads GIF but cannot write it. One frame makes a
// still picture; several make an animation that loops for ever.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <vector>

namespace shelf::samplegen {

// The GIF file's bytes, or empty with `error` set. Every frame has the first frame's size and is
// mapped to its nearest colours of `palette` (at most 256); `frameDelay` is in hundredths of a
// second and matters only for an animation.
QByteArray EncodeGif(const std::vector<QImage>& frames, const QList<QRgb>& palette, int frameDelay,
                     QString& error);

// A palette for antialiased drawings: blends between every pair of `colors`, so the edge of a
// line over any fill finds a close colour.
QList<QRgb> BlendPalette(const std::vector<QColor>& colors);

}  // namespace shelf::samplegen
