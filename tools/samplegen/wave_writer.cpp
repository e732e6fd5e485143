#include "wave_writer.h"

#include <QtEndian>
#include <algorithm>

namespace shelf::samplegen {
namespace {

constexpr int kBlockAlign = 256;                             // bytes per ADPCM block (mono)
constexpr int kSamplesPerBlock = (kBlockAlign - 7) * 2 + 2;  // 500
// The decoder's adaptation table and its seven predictor pairs.
constexpr int kAdapt[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                            768, 614, 512, 409, 307, 230, 230, 230};
constexpr int kCoef1[7] = {256, 512, 0, 192, 240, 460, 392};
constexpr int kCoef2[7] = {0, -256, 0, 64, 0, -208, -232};

void Le16(QByteArray& out, std::uint16_t v) {
  char b[2];
  qToLittleEndian(v, b);
  out.append(b, 2);
}
void Le32(QByteArray& out, std::uint32_t v) {
  char b[4];
  qToLittleEndian(v, b);
  out.append(b, 4);
}

QByteArray Riff(const QByteArray& format, const QByteArray& extraChunks, const QByteArray& data) {
  QByteArray body = "WAVEfmt ";
  Le32(body, static_cast<std::uint32_t>(format.size()));
  body += format;
  body += extraChunks;
  body += "data";
  Le32(body, static_cast<std::uint32_t>(data.size()));
  body += data;
  if (data.size() & 1) body += '\0';
  QByteArray out = "RIFF";
  Le32(out, static_cast<std::uint32_t>(body.size()));
  return out + body;
}

std::int16_t Clamp16(int v) {
  return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
}

// One block with predictor 0: header (predictor, delta, two starting samples), then nibbles
// chosen so that the decoder's reconstruction follows the signal.
QByteArray AdpcmBlock(const std::int16_t* s, int count) {
  QByteArray block;
  int delta = 16;
  int s1 = count > 1 ? s[1] : 0, s2 = count > 0 ? s[0] : 0;
  block.append('\0');
  Le16(block, static_cast<std::uint16_t>(delta));
  Le16(block, static_cast<std::uint16_t>(s1));
  Le16(block, static_cast<std::uint16_t>(s2));
  std::uint8_t pending = 0;
  bool high = true;
  for (int i = 2; i < kSamplesPerBlock; ++i) {
    const int target = i < count ? s[i] : 0;
    const int predicted = (s1 * kCoef1[0] + s2 * kCoef2[0]) / 256;
    const int nibble = std::clamp((target - predicted) / delta, -8, 7);
    const int sample = Clamp16(predicted + nibble * delta);
    s2 = s1;
    s1 = sample;
    delta = std::max(16, delta * kAdapt[nibble & 15] / 256);
    if (high) {
      pending = static_cast<std::uint8_t>((nibble & 15) << 4);
    } else {
      block.append(static_cast<char>(pending | (nibble & 15)));
    }
    high = !high;
  }
  return block;
}

}  // namespace

QByteArray PcmFormat(int rate) {
  QByteArray format;
  Le16(format, 1);
  Le16(format, 1);
  Le32(format, static_cast<std::uint32_t>(rate));
  Le32(format, static_cast<std::uint32_t>(rate * 2));
  Le16(format, 2);
  Le16(format, 16);
  return format;
}

QByteArray PcmWave(const std::vector<std::int16_t>& samples, int rate) {
  const QByteArray format = PcmFormat(rate);
  QByteArray data;
  for (const std::int16_t s : samples) Le16(data, static_cast<std::uint16_t>(s));
  return Riff(format, {}, data);
}

QByteArray AdpcmWave(const std::vector<std::int16_t>& samples, int rate) {
  QByteArray format;
  Le16(format, 2);  // MS-ADPCM
  Le16(format, 1);
  Le32(format, static_cast<std::uint32_t>(rate));
  Le32(format, static_cast<std::uint32_t>(rate * kBlockAlign / kSamplesPerBlock));
  Le16(format, kBlockAlign);
  Le16(format, 4);
  Le16(format, 32);  // extra bytes
  Le16(format, kSamplesPerBlock);
  Le16(format, 7);
  for (int i = 0; i < 7; ++i) {
    Le16(format, static_cast<std::uint16_t>(kCoef1[i]));
    Le16(format, static_cast<std::uint16_t>(kCoef2[i]));
  }
  QByteArray fact = "fact";
  Le32(fact, 4);
  Le32(fact, static_cast<std::uint32_t>(samples.size()));
  QByteArray data;
  for (std::size_t at = 0; at < samples.size(); at += kSamplesPerBlock)
    data +=
        AdpcmBlock(samples.data() + at,
                   static_cast<int>(std::min<std::size_t>(kSamplesPerBlock, samples.size() - at)));
  return Riff(format, fact, data);
}

}  // namespace shelf::samplegen
