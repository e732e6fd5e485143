#include "media/sound.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "book/book_session.h"
#include "media/background_music.h"
#include "media/media_fixture.h"
#include "media/null_sink.h"
#include "platform/cp1251.h"
#include "settings/program_options.h"
#include "widgets/color_win_control.h"

namespace shelf {
namespace {
using namespace std::chrono_literals;
using test::RunUntil;

class FakeHost : public TSoundHost {
 public:
  int CurrentScreen() const override { return screen; }
  void ShowClipPage(int area, const std::string& page) override { pages.emplace_back(area, page); }
  void DecoderMissing(const std::string& file) override { missing.push_back(file); }
  void SetWaitCursor(bool) override {}
  void ShowStatus(const std::string& text) override { status.push_back(text); }

  int screen = 0;
  std::vector<std::pair<int, std::string>> pages;
  std::vector<std::string> missing;
  std::vector<std::string> status;
};

class SoundTest : public test::MediaTest {
 protected:
  QWidget window;
  FakeHost host;
  TProgramOptions options;
};

TEST_F(SoundTest, ClipWindowsShowOnTheirScreens) {
  window.resize(400, 300);
  const TDynamicClipArray clips = {{10, 10, 110, 90, 0xFF, 1, 1}, {20, 20, 60, 60, 0, 2, 0}};
  host.screen = 1;
  TSound sound(Store, FileSystem, window, host, clips);
  ASSERT_EQ(sound.ClipWindows().size(), 2u);
  EXPECT_FALSE(sound.ClipWindows()[0]->isHidden());
  EXPECT_TRUE(sound.ClipWindows()[1]->isHidden());
  EXPECT_EQ(sound.ClipWindows()[0]->geometry(), QRect(10, 10, 100, 80));
  EXPECT_EQ(sound.ClipWindows()[0]->Color(), QColor(255, 0, 0));
  sound.ShowClipWindows();  // the same screen again: still shown
  EXPECT_FALSE(sound.ClipWindows()[0]->isHidden());
  host.screen = 0;
  sound.ShowClipWindows();
  EXPECT_TRUE(sound.ClipWindows()[0]->isHidden());
  EXPECT_FALSE(sound.ClipWindows()[1]->isHidden());
}

// A sound from a page stops the music at once and brings it back when it ends; a ".wav" link
// played over a clip keeps the clip's ending; a paused and resumed sound ends without acting.
TEST_F(SoundTest, SoundsFromPagesTakeTurnsWithTheMusic) {
  test::WriteTree(Dir(), {{"run/song.wav", test::ToneWav(8000)},
                          {"run/link.wav", test::ToneWav(300)},
                          {"run/clip.wav", test::ToneWav(2000)}});
  TBackgroundMusic music(Store, FileSystem, {"c:\\run\\song.wav"}, "SOFTWARE\\t\\s", options);
  TSound sound(Store, FileSystem, window, host, {});
  sound.SetBackgroundMusic(&music);
  music.StartBackgroundMusic();
  ASSERT_TRUE(music.Player().Opened());

  sound.PlayClip("c:\\run\\link.wav", "", kPlayKindClose);
  EXPECT_FALSE(options.BGSound);
  EXPECT_FALSE(music.Player().Opened());  // at once, without a fade
  EXPECT_EQ(sound.PlayKind(), kPlayKindMusic);
  ASSERT_TRUE(RunUntil([&] { return options.BGSound; }, 3s)) << "the music came back";
  EXPECT_TRUE(music.Player().Opened());

  sound.PlayClip("c:\\run\\clip.wav", "", kPlayKindClip);  // as the "clip" command does
  EXPECT_FALSE(options.BGSound);
  sound.PlayClip("c:\\run\\link.wav", "", kPlayKindClose);
  EXPECT_EQ(sound.PlayKind(), kPlayKindClip);
  ASSERT_TRUE(RunUntil([&] { return !sound.Opened(); }, 3s)) << "closed at the end";
  EXPECT_FALSE(options.BGSound);

  sound.PlayClip("c:\\run\\link.wav", "", kPlayKindClose);
  EXPECT_EQ(sound.PlayKind(), kPlayKindClip);  // nothing played: it will close
  sound.SetNotify(false);
  sound.Pause();
  sound.SetNotify(false);
  sound.Pause();
  RunUntil([&] { return sound.Mode() != 2; }, 3s);
  RunUntil([] { return false; }, 200ms);
  EXPECT_TRUE(sound.Opened()) << "the end of a resumed sound is not acted on";
}

TEST_F(SoundTest, StepsStayWithinTheClip) {
  test::WriteTree(Dir(), {{"run/long.wav", test::ToneWav(25000, 440, 0.01)}});
  TSound sound(Store, FileSystem, window, host, {});
  sound.PlayClip("c:\\run\\long.wav", "", kPlayKindClip);
  sound.Seek(8000);
  sound.StepBack();
  EXPECT_LT(sound.Position(), 500);
  sound.Seek(12000);
  sound.StepBack();
  EXPECT_NEAR(static_cast<double>(sound.Position()), 2000, 300);
  sound.Seek(3000);
  sound.StepForward();
  EXPECT_NEAR(static_cast<double>(sound.Position()), 13000, 300);
  sound.Seek(20000);
  sound.StepForward();
  EXPECT_GE(sound.Position(), 24500);
  sound.Close();
}

TEST_F(SoundTest, AClipPlaysInTheClipWindowOfTheScreenWithItsPage) {
  const TDynamicClipArray clips = {{10, 10, 110, 90, 0, 3, 0}};
  TSound sound(Store, FileSystem, window, host, clips);
  sound.PlayClip("c:\\run\\missing.avi", "page.htm", kPlayKindClip);
  EXPECT_EQ(host.pages, (std::vector<std::pair<int, std::string>>{{3, "page.htm"}}));
  EXPECT_EQ(sound.Display(), sound.ClipWindows()[0]);
  EXPECT_EQ(sound.Error(), mci::kFileNotFound);
  EXPECT_TRUE(host.missing.empty());
}

// The sound server goes away while the book is open: a film with a sound track still plays its
// picture and the status line says the sound is unavailable. When the server is back, the next
// film and the next sound are heard, without a restart.
TEST_F(SoundTest, WithoutTheSoundServerFilmsPlaySilentAndSoundComesBackWithIt) {
  test::TNullSink sink(Dir());
  if (!sink.Error().empty()) GTEST_SKIP() << sink.Error();
  std::string error;
  const auto book = OpenBookSession(SHELF_SAMPLE_BOOK, error);
  ASSERT_TRUE(book) << error;
  const std::string film = book->Folders.ProgramDir + "media\\wheel.avi";
  const std::string horn = book->Folders.ProgramDir + "horn.wav";
  window.resize(400, 300);
  window.show();
  TSound sound(book->Store, book->FileSystem, window, host, {{10, 10, 130, 100, 0, 0, 0}});
  sink.StartRecording();
  sound.PlayClip(horn, "", kPlayKindClip);  // the program has been heard before the loss
  ASSERT_TRUE(RunUntil([&] { return !sound.Opened(); }, 3s));
  ASSERT_GE(test::FirstLoud(sink.StopRecording(50ms), 0.01), 0) << "heard before";

  sink.KillServer();
  sound.PlayClip(film, "", kPlayKindClip);
  ASSERT_TRUE(sound.Opened());
  EXPECT_TRUE(sound.HasVideo());
  EXPECT_TRUE(sound.Soundless());
  EXPECT_TRUE(RunUntil([&] { return sound.Position() > 500; }, 5s)) << "the picture plays";
  ASSERT_FALSE(host.status.empty());
  EXPECT_EQ(host.status.back(), *Utf8ToCp1251("Звук недоступен: звуковой сервер не отвечает"));
  sound.Close();

  ASSERT_TRUE(sink.RestartServer());
  // Films connect anew each time; sounds go through Qt's output, which tries the server again
  // every 3 s.
  RunUntil([] { return false; }, 3500ms);
  for (const std::string& medium : {horn, film}) {
    sink.StartRecording();
    sound.PlayClip(medium, "", kPlayKindClip);
    EXPECT_FALSE(sound.Soundless()) << medium;
    RunUntil([] { return false; }, 1500ms);
    sound.Close();
    EXPECT_GE(test::FirstLoud(sink.StopRecording(50ms), 0.01), 0) << medium << " is heard again";
  }
}

}  // namespace
}  // namespace shelf
