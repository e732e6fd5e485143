#include "media/media_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cmath>

namespace shelf::test {
namespace {

void PutLe(std::string& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace

std::string ToneWav(int ms, double frequency, double amplitude) {
  const std::uint32_t rate = 8000, count = rate * ms / 1000;
  std::string wav = "RIFF";
  PutLe(wav, 36 + count * 2, 4);
  wav += "WAVEfmt ";
  PutLe(wav, 16, 4);
  PutLe(wav, 1, 2);
  PutLe(wav, 1, 2);
  PutLe(wav, rate, 4);
  PutLe(wav, rate * 2, 4);
  PutLe(wav, 2, 2);
  PutLe(wav, 16, 2);
  wav += "data";
  PutLe(wav, count * 2, 4);
  for (std::uint32_t i = 0; i < count; ++i)
    PutLe(wav,
          static_cast<std::uint16_t>(static_cast<std::int16_t>(
              std::lround(amplitude * 32767 * std::sin(2 * M_PI * frequency * i / rate)))),
          2);
  return wav;
}

bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limit.count()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

void MediaTest::SetUp() {
  IsolatedTest::SetUp();
  FileSystem.MapDrive('c', Dir());
}

}  // namespace shelf::test
