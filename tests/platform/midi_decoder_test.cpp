#include "platform/midi_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "book/book_session.h"
#include "platform/pcm_decoder.h"
#include "store/compr_stream.h"
#include "test_support.h"

namespace shelf {
namespace {

std::string Be(std::uint32_t value, int size) {
  std::string out;
  for (int i = size - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}

std::string Track(const std::string& events) {
  return "MTrk" + Be(static_cast<std::uint32_t>(events.size()), 4) + events;
}

std::string Smf(std::uint16_t division, const std::string& tracks) {
  return "MThd" + Be(6, 4) + Be(1, 2) + Be(1, 2) + Be(division, 2) + tracks;
}

const std::string kEnd("\x00\xFF\x2F\x00", 4);
// Delta 0x60 (96), written as one byte; a note on and off in running status.
const std::string kNote = std::string("\x00\x90\x41\x64", 4) + std::string("\x60\x41\x00", 3);

TEST(MidiFileSecondsTest, CountsTicksAtTheirTempo) {
  const std::string tempoHalf("\x00\xFF\x51\x03\x03\xD0\x90", 7);  // 250 000 µs a quarter
  const struct {
    const char* what;
    std::string smf;
    double seconds;
  } cases[] = {
      {"one quarter at the default 120 a minute", Smf(96, Track(kNote + kEnd)), 0.5},
      {"the tempo doubles after the first quarter",
       Smf(96, Track(kNote + tempoHalf + kNote + kEnd)), 0.75},
      {"a tempo at the start", Smf(96, Track(tempoHalf + kNote + kEnd)), 0.25},
      {"the longest track counts",
       Smf(96, Track(kNote + kEnd) + Track(kNote + kNote + kNote + kEnd)), 1.5},
      {"SMPTE: 25 frames of 40 ticks a second", Smf(0xE728, Track(kNote + kEnd)), 0.096},
      {"sysex and a program change are stepped over",
       Smf(96, Track(std::string("\x00\xF0\x03\x7E\x7F\xF7\x00\xC0\x13", 9) + kNote + kEnd)), 0.5},
      {"a track cut short still counts what it has", Smf(96, "MTrk" + Be(1000, 4) + kNote), 0.5},
  };
  for (const auto& c : cases) {
    const auto seconds = MidiFileSeconds(c.smf);
    ASSERT_TRUE(seconds) << c.what;
    EXPECT_NEAR(*seconds, c.seconds, 1e-9) << c.what;
  }
  for (const std::string bad : {std::string("RIFF"), std::string("MThd\0\0\0\x06", 8),
                                Smf(0, Track(kNote + kEnd)), std::string()})
    EXPECT_FALSE(MidiFileSeconds(bad));
}

class MidiDecoderTest : public test::IsolatedTest {
 protected:
  // Reads the decoder to its end: the frames it gave, and the first frame above a whisper.
  static std::pair<std::int64_t, std::int64_t> Render(TPcmDecoder& decoder) {
    std::vector<std::int16_t> samples(2 * 4096);
    std::int64_t frames = 0, firstLoud = -1;
    for (qint64 got; (got = decoder.read(reinterpret_cast<char*>(samples.data()), 4 * 4096)) > 0;
         frames += got / 4)
      for (qint64 i = 0; i < got / 2 && firstLoud < 0; ++i)
        if (std::abs(samples[i]) > 1000) firstLoud = frames + i / 2;
    return {frames, firstLoud};
  }
};

// A RIFF RMID file carries its sequence in a "data" chunk; the decoder renders it at its length
// and then stops.
TEST_F(MidiDecoderTest, RendersAnRmidSequenceToItsEnd) {
  const std::string smf = Smf(96, Track(std::string("\x00\xC0\x13", 3) + kNote + kEnd));
  std::string rmid = "RIFF" + std::string(4, '\0') + "RMID" + "data";
  for (int i = 0; i < 4; ++i) rmid += static_cast<char>(smf.size() >> (8 * i) & 0xFF);
  rmid += smf;
  const auto file = Dir() / "tune.rmi";
  std::ofstream(file, std::ios::binary) << rmid;
  auto decoder = TMidiDecoder::Open(file);
  if (!decoder) GTEST_SKIP() << "no soundfont on this system";
  EXPECT_EQ(decoder->Format().frames, 44100 / 2);
  EXPECT_EQ(decoder->Format().channels, 2);
  decoder->Restart(0);
  const auto [frames, firstLoud] = Render(*decoder);
  EXPECT_TRUE(decoder->Exhausted());
  EXPECT_GE(frames, 44100 / 2);
  EXPECT_LE(frames, 44100);  // the sequence and the release of its last note
  EXPECT_GE(firstLoud, 0);

  // A sequence stopped mid-note leaves nothing sounding in the synthesiser the next one gets.
  decoder->Restart(0);
  std::vector<std::int16_t> some(2 * 8000);
  decoder->read(reinterpret_cast<char*>(some.data()), 4 * 8000);
  decoder.reset();
  auto next = TMidiDecoder::Open(file);
  ASSERT_TRUE(next);
  next->Restart(0);
  EXPECT_NEAR(Render(*next).second, firstLoud, 64);  // within one block of the synthesiser

  EXPECT_FALSE(TMidiDecoder::Open(Dir() / "missing.mid"));
}

// The sample book's songs take turns as background music: its MIDI song is as loud as its WAV
// and MP3 songs (the level of their sound, within 3 dB), so the music does not seem to fade
// away when the MIDI song's turn comes.
TEST_F(MidiDecoderTest, TheSampleBooksMidiSongIsAsLoudAsItsOtherSongs) {
  std::string error;
  const auto book = OpenBookSession(SHELF_SAMPLE_BOOK, error);
  ASSERT_TRUE(book) << error;
  const auto level = [&](const std::string& song, const std::string& kind) {
    const auto file = Dir() / song;
    std::ofstream(file, std::ios::binary)
        << TComprStream(book->Store, book->Folders.ProgramDir + "media\\" + song).Bytes();
    auto decoder = TPcmDecoder::Open(file, kind);
    if (!decoder) return -1.0;
    decoder->Restart(0);
    double sum = 0;
    std::int64_t count = 0;
    std::vector<std::int16_t> samples(8192);
    for (qint64 got; (got = decoder->read(reinterpret_cast<char*>(samples.data()), 16384)) > 0;)
      for (qint64 i = 0; i < got / 2; ++i, ++count) sum += double(samples[i]) * samples[i];
    return count ? std::sqrt(sum / double(count)) / 32768 : 0.0;
  };
  const double midi = level("song3.mid", "MIDI");
  if (midi < 0) GTEST_SKIP() << "no soundfont on this system";
  for (const auto& [song, kind] :
       {std::pair{"song1.wav", "RIFF WAVE"}, {"song2.mp3", "MPEG audio"}}) {
    const double other = level(song, kind);
    ASSERT_GT(other, 0) << song;
    EXPECT_LE(std::abs(20 * std::log10(midi / other)), 3.0)
        << "MIDI " << midi << ", " << song << " " << other;
  }
}

}  // namespace
}  // namespace shelf
