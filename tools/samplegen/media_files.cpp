#include "media_files.h"

#include <lame/lame.h>

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdint>

#include "avi_writer.h"
#include "wave_writer.h"

namespace shelf::samplegen {
namespace {

constexpr int kRate = 22050;

// A melody: (MIDI note, length in eighths); 0 is a rest.
struct TNote {
  int Key;
  int Eighths;
};
const std::vector<TNote> kTuneA = {{60, 2}, {64, 2}, {67, 2}, {72, 4}, {67, 2}, {64, 2}, {60, 4}};
const std::vector<TNote> kTuneB = {{57, 2}, {60, 2}, {64, 4}, {62, 2}, {60, 2}, {59, 2}, {57, 4}};
const std::vector<TNote> kTuneC = {{65, 2}, {69, 2}, {72, 2}, {77, 2}, {72, 2}, {69, 2}, {65, 6}};
constexpr double kEighthSeconds = 0.18;

double Frequency(int key) {
  return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

// Soft organ-like notes with short fades, so the song is clearly heard and has no clicks.
std::vector<std::int16_t> Synthesise(const std::vector<TNote>& tune, double volume) {
  std::vector<std::int16_t> out;
  for (const TNote& note : tune) {
    const int count = static_cast<int>(kRate * kEighthSeconds * note.Eighths);
    for (int i = 0; i < count; ++i) {
      const double t = double(i) / kRate;
      const double edge = std::min({1.0, i / (kRate * 0.01), (count - i) / (kRate * 0.03)});
      double v = 0;
      if (note.Key) {
        const double f = Frequency(note.Key);
        v = std::sin(2 * M_PI * f * t) + 0.3 * std::sin(4 * M_PI * f * t);
      }
      out.push_back(static_cast<std::int16_t>(std::lround(v / 1.3 * edge * volume * 32767)));
    }
  }
  return out;
}

void Be(QByteArray& out, std::uint32_t value, int size) {
  for (int i = size - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// A standard MIDI file, format 0, one track on an organ. Each note sounds with its lower octave
// and its fifth, at full velocity and channel volume: a single soft voice of the synthesiser
// is far fainter than the WAV and MP3 songs it takes turns with.
QByteArray Midi(const std::vector<TNote>& tune) {
  constexpr int kTicksPerEighth = 48;
  constexpr int kVoices[] = {0, -12, 7};
  QByteArray track;
  track += QByteArray::fromRawData("\x00\xC0\x13", 3);      // organ
  track += QByteArray::fromRawData("\x00\xB0\x07\x7F", 4);  // channel volume
  track += QByteArray::fromRawData("\x00\xB0\x0B\x7F", 4);  // expression
  int rest = 0;
  for (const TNote& note : tune) {
    const int ticks = note.Eighths * kTicksPerEighth;
    if (!note.Key) {
      rest += ticks;
      continue;
    }
    for (const int voice : kVoices) {
      track += static_cast<char>(voice == 0 ? rest : 0);  // deltas below 128 fit one byte
      track += QByteArray::fromRawData("\x90", 1);
      track += static_cast<char>(note.Key + voice);
      track += static_cast<char>(127);
    }
    for (const int voice : kVoices) {
      if (voice == 0) {
        track += static_cast<char>(0x80 | (ticks >> 7));
        track += static_cast<char>(ticks & 0x7F);
      } else {
        track += static_cast<char>(0);
      }
      track += QByteArray::fromRawData("\x80", 1);
      track += static_cast<char>(note.Key + voice);
      track += static_cast<char>(64);
    }
    rest = 0;
  }
  track += QByteArray::fromRawData("\x00\xFF\x2F\x00", 4);
  QByteArray out = "MThd";
  Be(out, 6, 4);
  Be(out, 0, 2);
  Be(out, 1, 2);
  // 96 ticks a quarter at the default 120 beats a minute: an eighth is 0.25 s.
  Be(out, 2 * kTicksPerEighth, 2);
  out += "MTrk";
  Be(out, static_cast<std::uint32_t>(track.size()), 4);
  return out + track;
}

QByteArray Mp3(const std::vector<std::int16_t>& samples, QString& error) {
  lame_global_flags* lame = lame_init();
  if (!lame) {
    error = "lame_init failed";
    return {};
  }
  lame_set_in_samplerate(lame, kRate);
  lame_set_num_channels(lame, 1);
  lame_set_mode(lame, MONO);
  lame_set_brate(lame, 32);
  lame_set_write_id3tag_automatic(lame, 0);
  QByteArray out;
  if (lame_init_params(lame) < 0) {
    error = "lame_init_params failed";
  } else {
    std::vector<unsigned char> buffer(samples.size() * 5 / 4 + 7200);
    std::vector<short> pcm(samples.begin(), samples.end());
    int size = lame_encode_buffer(lame, pcm.data(), pcm.data(), static_cast<int>(pcm.size()),
                                  buffer.data(), static_cast<int>(buffer.size()));
    if (size >= 0) out.append(reinterpret_cast<const char*>(buffer.data()), size);
    size = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
    if (size >= 0) out.append(reinterpret_cast<const char*>(buffer.data()), size);
    if (out.isEmpty()) error = "lame produced nothing";
  }
  lame_close(lame);
  return out;
}

std::vector<std::int16_t> Horn() {
  std::vector<std::int16_t> out;
  const int count = kRate * 6 / 10;
  for (int i = 0; i < count; ++i) {
    const double t = double(i) / kRate;
    const double edge = std::min({1.0, i / (kRate * 0.02), (count - i) / (kRate * 0.05)});
    const double v = std::sin(2 * M_PI * 370 * t) + std::sin(2 * M_PI * 466 * t);
    out.push_back(static_cast<std::int16_t>(std::lround(v * 0.35 * edge * 32767)));
  }
  return out;
}

// A wheel turning on a road under a caption: frames of a film `seconds` long at 10 a second.
std::vector<QImage> WheelFilm(QSize size, double seconds, const QString& caption, QColor sky) {
  std::vector<QImage> frames;
  const int count = static_cast<int>(seconds * 10);
  for (int f = 0; f < count; ++f) {
    QImage frame(size, QImage::Format_RGB888);
    frame.fill(sky);
    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing);
    const int road = size.height() * 3 / 4;
    p.fillRect(0, road, size.width(), size.height() - road, QColor(70, 74, 80));
    for (int x = -f * 8 % 40; x < size.width(); x += 40)
      p.fillRect(x, road + (size.height() - road) / 2, 20, 3, QColor(230, 230, 200));
    const int r = size.height() / 4;
    const QPointF hub(size.width() / 2.0, road - r);
    p.setBrush(QColor(30, 30, 34));
    p.setPen(Qt::NoPen);
    p.drawEllipse(hub, r, r);
    p.setBrush(QColor(190, 196, 204));
    p.drawEllipse(hub, r * 0.6, r * 0.6);
    p.setPen(QPen(QColor(60, 64, 70), 3));
    for (int s = 0; s < 5; ++s) {
      const double a = f * 0.35 + s * 2 * M_PI / 5;
      p.drawLine(hub, hub + QPointF(std::cos(a), std::sin(a)) * r * 0.58);
    }
    p.setPen(Qt::white);
    QFont font("Liberation Sans");
    font.setPixelSize(std::max(10, size.height() / 8));
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 4, size.width(), size.height() / 4), Qt::AlignCenter, caption);
    frames.push_back(frame);
  }
  return frames;
}

}  // namespace

std::vector<TBookFile> MediaFiles(QString& error) {
  std::vector<TBookFile> files;
  files.push_back({"run/media/song1.wav", false, PcmWave(Synthesise(kTuneA, 0.5), kRate)});
  const QByteArray mp3 = Mp3(Synthesise(kTuneB, 0.5), error);
  if (mp3.isEmpty()) return {};
  files.push_back({"run/media/song2.mp3", false, mp3});
  files.push_back({"run/media/song3.mid", false, Midi(kTuneC)});
  files.push_back({"run/horn.wav", false, PcmWave(Horn(), kRate)});

  const std::vector<std::int16_t> engine = Synthesise({{43, 8}, {45, 8}}, 0.3);
  const struct {
    const char* name;
    QSize size;
    double seconds;
    QString caption;
    QColor sky;
    bool sound;
  } films[] = {
      {"run/media/wheel.avi", {160, 120}, 4, QString::fromUtf8("Колесо"), {90, 140, 190}, true},
      {"run/media/intro.avi", {320, 180}, 3, QString::fromUtf8("Вектор-2107"), {20, 40, 80}, true},
      {"run/car.avi",
       {328, 130},
       4,
       QString::fromUtf8("Вектор-2107 в движении"),
       {60, 90, 120},
       false},
  };
  for (const auto& film : films) {
    const QByteArray avi = MjpegAvi(WheelFilm(film.size, film.seconds, film.caption, film.sky), 10,
                                    film.sound ? engine : std::vector<std::int16_t>(), kRate);
    if (avi.isEmpty()) {
      error = QString("cannot make ") + film.name;
      return {};
    }
    files.push_back({film.name, false, avi});
  }
  return files;
}

}  // namespace shelf::samplegen
