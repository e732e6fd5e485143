#include "media/start_clip.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "book/book_session.h"
#include "media/media_fixture.h"

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

}  // namespace
}  // namespace shelf
