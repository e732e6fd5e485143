#include "click_sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "wave_writer.h"

namespace shelf::samplegen {
namespace {

constexpr int kRate = 22050;

// A tone gliding from `From` to `To` Hz, with a quick attack and an exponential decay, plus a
// touch of noise at the start that makes it sound mechanical.
struct TClick {
  double Milliseconds;
  double From, To;
  double Decay;  // per second
  double Noise;  // share of noise in the first milliseconds
};

std::vector<std::int16_t> Synthesise(const TClick& click) {
  const int count = static_cast<int>(kRate * click.Milliseconds / 1000);
  std::vector<std::int16_t> samples(count);
  double phase = 0;
  std::uint32_t seed = 2107;
  for (int i = 0; i < count; ++i) {
    const double t = double(i) / kRate;
    const double progress = double(i) / count;
    phase += 2 * M_PI * (click.From + (click.To - click.From) * progress) / kRate;
    const double attack = std::min(1.0, t / 0.002);
    const double release = std::min(1.0, (count - i) / (kRate * 0.004));  // no click at the end
    const double envelope = attack * release * std::exp(-click.Decay * t);
    seed = seed * 1664525 + 1013904223;
    const double noise = (double(seed >> 8) / (1 << 24) * 2 - 1) * std::exp(-t / 0.004);
    const double value = envelope * ((1 - click.Noise) * std::sin(phase) + click.Noise * noise);
    samples[i] = static_cast<std::int16_t>(std::lround(value * 0.85 * 32767));
  }
  return samples;
}

// An engine at idle: a low firing pulse with its harmonics and a little rattle.
std::vector<std::int16_t> Idle(double seconds) {
  const int count = static_cast<int>(kRate * seconds);
  std::vector<std::int16_t> samples(count);
  std::uint32_t seed = 2107;
  for (int i = 0; i < count; ++i) {
    const double t = double(i) / kRate;
    const double firing = 2 * M_PI * 27 * t;  // four cylinders at 800 rpm
    seed = seed * 1664525 + 1013904223;
    const double rattle = double(seed >> 8) / (1 << 24) * 2 - 1;
    const double pulse = std::pow(0.5 + 0.5 * std::sin(firing), 6);
    const double fade = std::min({1.0, t / 0.2, (seconds - t) / 0.3});
    const double value =
        fade * (0.55 * pulse * std::sin(9 * firing) + 0.25 * std::sin(firing) + 0.06 * rattle);
    samples[i] = static_cast<std::int16_t>(std::lround(value * 0.8 * 32767));
  }
  return samples;
}

}  // namespace

TBookFile EngineIdleSound(const QString& name) {
  return {name, false, PcmWave(Idle(2.5), kRate)};
}

std::vector<TBookFile> ClickSounds() {
  return {
      {"run/click.wav", true, PcmWave(Synthesise({45, 2200, 1500, 90, 0.35}), kRate)},
      // Stored the compact way sounds of the time often were: MS-ADPCM.
      {"run/switch.wav", true, AdpcmWave(Synthesise({60, 1300, 1100, 70, 0.5}), kRate)},
      {"run/exit.wav", true, PcmWave(Synthesise({80, 700, 320, 45, 0.2}), kRate)},
  };
}

}  // namespace shelf::samplegen
