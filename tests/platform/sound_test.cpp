#include "platform/sound.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdint>
#include <filesystem>

#include "platform/user_folders.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using namespace std::string_literals;

void PutLe(std::string& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// A mono 16-bit RIFF WAVE sound of `ms` milliseconds at 8000 Hz in encoding `format`.
std::string Wav(int ms, std::uint16_t format = 1) {
  const std::uint32_t rate = 8000, data = rate * 2 * ms / 1000;
  std::string wav = "RIFF";
  PutLe(wav, 36 + data, 4);
  wav += "WAVEfmt ";
  PutLe(wav, 16, 4);
  PutLe(wav, format, 2);
  PutLe(wav, 1, 2);
  PutLe(wav, rate, 4);
  PutLe(wav, rate * 2, 4);
  PutLe(wav, 2, 2);
  PutLe(wav, 16, 2);
  wav += "data";
  PutLe(wav, data, 4);
  for (std::uint32_t i = 0; i < data / 2; ++i) PutLe(wav, i % 40 < 20 ? 3000 : -3000, 2);
  return wav;
}

milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

class SoundTest : public test::IsolatedTest {};

TEST_F(SoundTest, RefusesWhatIsNoPlayableSoundAtOnce) {
  const std::string valid = Wav(100);
  const struct {
    const char* what;
    std::string bytes;
    const char* error;
  } cases[] = {
      {"empty", "", "not a WAV sound"},
      {"text", "hello, this is not a sound at all", "not a WAV sound"},
      {"cut in its header", valid.substr(0, 30), "damaged WAV sound"},
      {"data before format", "RIFF\x10\0\0\0WAVEdata\0\0\0\0fmt "s, "damaged WAV sound"},
      {"ADPCM", Wav(100, 2), "WAV encoding 2 is not supported"},
      {"valid, but no application object", valid, "no application object"},
  };
  TSound sound;
  for (const auto& c : cases)
    for (const TSoundWait wait : {TSoundWait::No, TSoundWait::UntilEnd}) {
      const auto start = Clock::now();
      EXPECT_FALSE(sound.PlayBytes(c.bytes, wait)) << c.what;
      EXPECT_NE(sound.LastError().find(c.error), std::string::npos)
          << c.what << ": " << sound.LastError();
      EXPECT_LT(Since(start), milliseconds(100)) << c.what;
    }

  EXPECT_FALSE(sound.PlayFile(Dir() / "missing.wav", TSoundWait::UntilEnd));
  EXPECT_NE(sound.LastError().find("missing.wav"), std::string::npos);
  test::WriteTree(Dir(), {{"adpcm.wav", Wav(100, 2)}});
  EXPECT_FALSE(sound.PlayFile(Dir() / "adpcm.wav", TSoundWait::No));
  EXPECT_NE(sound.LastError().find("adpcm.wav: WAV encoding 2"), std::string::npos);
}

// With an audio device the sound plays; without one it fails. Either way nothing blocks: playing
// without waiting returns at once, and waiting ends by the sound's length plus the margin.
TEST_F(SoundTest, PlaysOrGivesUpWithoutBlockingAndCleansUp) {
  int argc = 1;
  char name[] = "sound_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  const fs::path temp = HostTempDir().folder;
  {
    TSound sound;
    auto start = Clock::now();
    const bool played = sound.PlayBytes(Wav(300), TSoundWait::No);
    EXPECT_LT(Since(start), milliseconds(500));
    if (!played) EXPECT_EQ(sound.LastError(), "no audio output device");

    start = Clock::now();
    const bool ended = sound.PlayBytes(Wav(300), TSoundWait::UntilEnd);
    EXPECT_LT(Since(start), milliseconds(300 + 1000 + 500));
    if (!ended) EXPECT_FALSE(sound.LastError().empty());
  }
  EXPECT_TRUE(fs::is_empty(temp));  // a sound's temporary file goes with the player
}

}  // namespace
}  // namespace shelf
