#include "media/start_clip.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include "book/book_session.h"
#include "media/media_fixture.h"
#include "platform/cp1251.h"
#include "platform/window_bus.h"

namespace shelf {
namespace {
using namespace std::chrono_literals;
using test::RunUntil;

// The sample book's start clip, read from its container.
class StartClipTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    std::string error;
    session = OpenBookSession(SHELF_SAMPLE_BOOK, error);
    ASSERT_TRUE(session) << error;
    clip = session->Folders.ProgramDir + "media\\intro.avi";
  }
  std::unique_ptr<TStartClip> Make(const std::string& file, bool fullScreen) {
    return std::make_unique<TStartClip>(
        session->Store, session->FileSystem, file, fullScreen, [this] { ++finished; },
        [](const std::string&) {});
  }
  std::unique_ptr<TBookSession> session;
  std::string clip;
  int finished = 0;
};

TEST_F(StartClipTest, PlaysFramedInTheMiddleAndEndsTheStartUpOnce) {
  auto start = Make(clip, false);
  ASSERT_TRUE(RunUntil([&] { return start->isVisible() || finished; }, 15s));
  ASSERT_TRUE(start->isVisible()) << "shown once the film plays";
  const QRect film = start->Player()->GetDisplayRect();
  EXPECT_EQ(film.size(), QSize(320, 180));
  EXPECT_EQ(start->size(), QSize(340, 200));  // a ten-pixel bevel around it
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_NEAR(start->geometry().center().x(), screen.center().x(), 12);
  ASSERT_TRUE(RunUntil([&] { return finished > 0; }, 8s));
  RunUntil([] { return false; }, 300ms);
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(start->isVisible());
  EXPECT_FALSE(start->Player()->Opened());
}

TEST_F(StartClipTest, EscapeEndsItAtOnceAndAMissingClipGoesStraightOn) {
  auto start = Make(clip, true);
  ASSERT_TRUE(RunUntil([&] { return start->isVisible(); }, 15s));
  EXPECT_EQ(start->geometry(), QGuiApplication::primaryScreen()->geometry());
  QTest::keyClick(start.get(), Qt::Key_Escape);
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(start->Player()->Opened());

  auto missing = Make(session->Folders.ProgramDir + "media\\none.avi", false);
  ASSERT_TRUE(RunUntil([&] { return finished == 2; }, 2s));
  EXPECT_FALSE(missing->isVisible());
}

// On a system without the films' decoder the reader is told which decoder and which package are
// missing, and the book opens at once instead of after a black clip.
TEST_F(StartClipTest, AMissingFilmDecoderIsNamedWithItsPackageAndTheBookOpens) {
  test::SetSampleBookStartClip(true);
  const auto empty = Dir() / "no-plugins";
  std::filesystem::create_directories(empty);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("GST_PLUGIN_SYSTEM_PATH_1_0", QString::fromStdString(empty.string()));
  env.insert("GST_PLUGIN_PATH_1_0", QString::fromStdString(empty.string()));
  env.insert("GST_REGISTRY_1_0", QString::fromStdString((Dir() / "registry.bin").string()));
  QProcess shelf;
  shelf.setProcessEnvironment(env);
  shelf.start(SHELF_EXE, {"--book", SHELF_SAMPLE_BOOK});
  ASSERT_TRUE(shelf.waitForStarted());
  const std::string title = *Utf8ToCp1251("Вектор-2107. Руководство по ремонту и эксплуатации");
  const bool opened =
      QTest::qWaitFor([&] { return TWindowBus::FindVisibleWindow(title).has_value(); }, 15000);
  shelf.kill();
  shelf.waitForFinished();
  const QString told = QString::fromUtf8(shelf.readAllStandardError());
  EXPECT_TRUE(opened) << told.toStdString();
  EXPECT_TRUE(told.contains("Motion-JPEG")) << told.toStdString();
  EXPECT_TRUE(told.contains("gstreamer1.0-plugins-good")) << told.toStdString();
}

}  // namespace
}  // namespace shelf
