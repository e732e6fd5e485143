// AVI files of Motion-JPEG frames with an optional 16-bit mono PCM sound track, the kind of film
// every player of the time opened.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

namespace shelf::samplegen {

// Frames all of one size; `fps` frames a second; `sound` may be empty. Empty on failure.
QByteArray MjpegAvi(const std::vector<QImage>& frames, int fps,
                    const std::vector<std::int16_t>& sound, int rate);

}  // namespace shelf::samplegen
