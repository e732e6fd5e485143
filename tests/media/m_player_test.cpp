#include "media/m_player.h"

#include <gtest/gtest.h>

#include <vector>

#include "book/book_session.h"
#include "media/media_fixture.h"
#include "media/null_sink.h"

namespace shelf {
namespace {
using namespace std::chrono_literals;
using test::RunUntil;

class MPlayerTest : public test::MediaTest {};

TEST_F(MPlayerTest, OpenReportsWhyAFileCannotBePlayed) {
  test::WriteTree(Dir(), {{"empty.wav", ""},
                          {"text.wav", "this is no sound at all, only text"},
                          {"junk.mp3", std::string("\xFF\xFB") + std::string(4000, '\x55')}});
  const struct {
    const char* file;
    unsigned error;
  } cases[] = {
      {"", mci::kFileNotFound},
      {"c:\\missing.wav", mci::kFileNotFound},
      {"c:\\empty.wav", mci::kFileRead},
      {"c:\\text.wav", mci::kInvalidFile},
  };
  TMPlayer player(Store, FileSystem);
  for (const auto& c : cases) {
    player.FileName = c.file;
    EXPECT_THROW(player.Open(), EMCIDeviceError) << c.file;
    EXPECT_EQ(player.Error(), c.error) << c.file;
    EXPECT_FALSE(player.Opened());
    EXPECT_EQ(player.DeviceID(), 0);
  }
  // A closed player refuses what needs a device and answers its queries without raising.
  for (const auto& call : std::vector<std::function<void()>>{
           [&] { player.Play(); }, [&] { player.Stop(); }, [&] { player.Pause(); },
           [&] { player.Seek(0); }, [&] { player.Length(); }})
    try {
      call();
      ADD_FAILURE() << "no error raised";
    } catch (const EMCIDeviceError& e) {
      EXPECT_STREQ(e.what(), "No MCI device open");
    }
  EXPECT_EQ(player.Position(), 0);
  EXPECT_GT(player.Mode(), 6);
  player.Close();  // nothing open: nothing happens
}

// The whole life of a sound on a real (null) sink: it is heard, stop keeps its place, the end
// comes as one successful notice, and a play asked to be silent ends without one.
TEST_F(MPlayerTest, PlaysToTheSinkAndNotifiesTheEnd) {
  test::TNullSink sink(Dir());
  if (!sink.Error().empty()) GTEST_SKIP() << sink.Error();
  test::WriteTree(Dir(), {{"tone.wav", test::ToneWav(1200)}});
  TMPlayer player(Store, FileSystem);
  std::vector<TMPNotifyValues> notices;
  player.OnNotify = [&](TMPlayer& p) { notices.push_back(p.NotifyValue()); };
  player.FileName = "c:\\TONE.WAV";  // found without regard to case
  player.Open();
  EXPECT_TRUE(player.Opened());
  EXPECT_NE(player.DeviceID(), 0);
  EXPECT_NEAR(static_cast<double>(player.Length()), 1200, 30);
  EXPECT_EQ(player.Mode(), 1);  // stopped

  sink.StartRecording();
  EXPECT_EQ(player.Play(), 0u);
  EXPECT_EQ(player.Flags(), mciflag::kNotify);
  EXPECT_TRUE(RunUntil([&] { return player.Position() > 300; }, 3s));
  EXPECT_EQ(player.Mode(), 2);
  player.Stop();
  EXPECT_EQ(player.Mode(), 1);
  const auto kept = player.Position();
  EXPECT_GT(kept, 250);
  RunUntil([] { return false; }, 200ms);
  EXPECT_EQ(player.Position(), kept);
  ASSERT_EQ(notices, std::vector{TMPNotifyValues::nvAborted});  // the stop ended the play's notice
  notices.clear();

  player.Play();
  player.Pause();  // playing: pauses
  EXPECT_EQ(player.Mode(), 5);
  player.Pause();  // paused: resumes, with a notice at the end
  EXPECT_EQ(player.Mode(), 2);
  ASSERT_TRUE(RunUntil(
      [&] { return !notices.empty() && notices.back() == TMPNotifyValues::nvSuccessful; }, 4s));
  const auto levels = sink.StopRecording(50ms);
  EXPECT_GE(test::FirstLoud(levels, 0.1), 0) << "nothing was heard";

  // Silent once: the next play runs to its end without a notice.
  notices.clear();
  player.Seek(900);
  player.SetNotify(false);
  player.Play();
  EXPECT_EQ(player.Flags(), 0u);
  RunUntil([&] { return player.Mode() != 2; }, 3s);
  RunUntil([] { return false; }, 200ms);
  EXPECT_TRUE(notices.empty());
  player.Close();
  EXPECT_FALSE(player.Opened());
}

// The sounds of each kind the sample book carries, from its container: PCM and MS-ADPCM WAV, MP3
// and MIDI are decoded by the program itself, heard, and end with their notice.
TEST_F(MPlayerTest, EachKindOfSoundInTheBookIsHeardToItsEnd) {
  test::TNullSink sink(Dir());
  if (!sink.Error().empty()) GTEST_SKIP() << sink.Error();
  std::string error;
  auto session = OpenBookSession(SHELF_SAMPLE_BOOK, error);
  ASSERT_TRUE(session) << error;
  TMPlayer player(session->Store, session->FileSystem);
  int ends = 0;
  player.OnNotify = [&](TMPlayer& p) { ends += p.NotifyValue() == TMPNotifyValues::nvSuccessful; };
  for (const char* file :
       {"media\\song1.wav", "switch.wav", "media\\song2.mp3", "media\\song3.mid"}) {
    player.FileName = session->Folders.ProgramDir + file;
    player.Open();
    const auto length = player.Length();
    EXPECT_GT(length, 50) << file;
    player.Seek(std::max<std::int64_t>(0, length - 600));  // the last 0.6 s, where it can seek
    const auto from = player.Position();
    sink.StartRecording();
    ends = 0;
    player.Play();
    EXPECT_TRUE(
        RunUntil([&] { return ends == 1; }, std::chrono::milliseconds(length - from + 2000)))
        << file << " did not end";
    EXPECT_EQ(player.Position(), length) << file;
    const auto levels = sink.StopRecording(20ms);
    EXPECT_GE(test::FirstLoud(levels, 0.02), 0) << file << " was not heard";
  }
}

// A sound server that goes away under a running program: the next sounds still play to their
// end (silently), nothing crashes.
TEST_F(MPlayerTest, PlaysOnWhenTheSoundServerIsGone) {
  test::WriteTree(Dir(), {{"tone.wav", test::ToneWav(300)}});
  TMPlayer player(Store, FileSystem);
  int ends = 0;
  player.OnNotify = [&](TMPlayer& p) { ends += p.NotifyValue() == TMPNotifyValues::nvSuccessful; };
  player.FileName = "c:\\tone.wav";
  {
    test::TNullSink sink(Dir());
    if (!sink.Error().empty()) GTEST_SKIP() << sink.Error();
    player.Open();
    player.Play();
    ASSERT_TRUE(RunUntil([&] { return ends == 1; }, 3s));
  }
  player.Open();
  EXPECT_EQ(player.Play(), 0u);
  EXPECT_TRUE(RunUntil([&] { return ends == 2; }, 5s));
}

}  // namespace
}  // namespace shelf
