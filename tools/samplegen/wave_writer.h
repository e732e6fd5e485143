// RIFF WAVE files of 16-bit mono samples: plain PCM, or MS-ADPCM (4 bits a sample) as the sounds
// of the time were often stored.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace shelf::samplegen {

// The format block of 16-bit mono PCM sound, as WAV and AVI files carry it.
QByteArray PcmFormat(int rate);
QByteArray PcmWave(const std::vector<std::int16_t>& samples, int rate);
QByteArray AdpcmWave(const std::vector<std::int16_t>& samples, int rate);

}  // namespace shelf::samplegen
