#include "media/my_avi_player.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QWidget>

#include "book/book_session.h"
#include "media/media_fixture.h"
#include "widgets/draw_target.h"

namespace shelf {
namespace {
using namespace std::chrono_literals;
using test::RunUntil;

// A window whose background picture the panel draws into.
class PanelWindow : public QWidget, public TDrawTarget {
 public:
  PanelWindow() {
    background = QImage(800, 600, QImage::Format_RGB888);
    background.fill(QColor(200, 210, 220));
    resize(800, 600);
  }
  void DrawOverlay(QPoint, const QImage&) override {}
  void DrawOnBackground(QPoint at, const QImage& image) override {
    QPainter(&background).drawImage(at, image);
    ++drawn;
  }
  void RepaintArea(const QRect&) override {}
  void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, background); }

  QImage background;
  int drawn = 0;
};

class VideoPanelTest : public test::IsolatedTest {};

TEST_F(VideoPanelTest, PlaysLoopsAndPausesOnAClickKeepingItsFrame) {
  std::string error;
  auto session = OpenBookSession(SHELF_SAMPLE_BOOK, error);
  ASSERT_TRUE(session) << error;
  PanelWindow window;
  window.show();
  const QRect panel(QPoint(31, 135), QPoint(686, 393));
  TMyAviPlayer video(session->Store, session->FileSystem);
  video.Setup(&window, &window, &window, session->Folders.ProgramDir + "car.avi", panel);
  ASSERT_NE(video.Player(), nullptr);
  ASSERT_TRUE(video.Player()->Opened());
  EXPECT_FALSE(video.Click(panel.center())) << "not active yet";

  video.SetActive(true);
  EXPECT_EQ(video.Player()->Mode(), 2);
  ASSERT_TRUE(video.Player()->Surface());
  EXPECT_EQ(video.Player()->Surface()->geometry(), panel);
  // The four-second film starts again at its end.
  const auto length = video.Player()->Length();
  ASSERT_TRUE(RunUntil([&] { return video.Player()->Position() > length - 600; }, 8s));
  ASSERT_TRUE(RunUntil([&] { return video.Player()->Position() < 1000; }, 3s));
  EXPECT_EQ(video.Player()->Mode(), 2);

  EXPECT_FALSE(video.Click(QPoint(5, 5)));
  ASSERT_TRUE(video.Click(panel.center()));
  EXPECT_EQ(video.Player()->Mode(), 5);
  EXPECT_TRUE(video.UserPaused());
  ASSERT_FALSE(video.PausedFrame().isNull());
  EXPECT_EQ(video.PausedFrame().size(), panel.size());
  // The paused frame is in the window's own picture: a repaint keeps it.
  EXPECT_EQ(window.background.pixelColor(panel.center()),
            video.PausedFrame().pixelColor(panel.center() - panel.topLeft()));
  video.ResumeUnlessUserPaused();  // the reader paused it: it stays paused
  EXPECT_EQ(video.Player()->Mode(), 5);
  ASSERT_TRUE(video.Click(panel.center()));
  EXPECT_EQ(video.Player()->Mode(), 2);

  video.SetActive(false);  // "2d": the picture comes back, the film holds
  EXPECT_TRUE(video.Held());
  EXPECT_FALSE(video.Player()->Surface()->isVisible());
  EXPECT_EQ(window.background.pixelColor(panel.center()), QColor(200, 210, 220));
  video.Release();
  EXPECT_EQ(video.Player(), nullptr);
}

}  // namespace
}  // namespace shelf
