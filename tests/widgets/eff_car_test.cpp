#include "widgets/eff_car.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QWidget>

#include "draw_target_fake.h"

namespace shelf {
namespace {

using test::Grey;

TEST(EffCar, FadesInIn51FramesThenALastFullFrame) {
  test::FakeDrawTarget window;
  TEffCar fade(window);
  int finished = 0;
  fade.OnFinished = [&] { ++finished; };
  std::vector<int> frames;
  std::vector<bool> running;
  window.onRepaint = [&] {
    frames.push_back(qRed(fade.FadeImage().pixel(5, 5)));
    running.push_back(fade.Running());
  };

  // The screen picture is smaller than the window: the rest starts from black.
  fade.Start(Grey(4, 4, 100), Grey(8, 6, 255));
  EXPECT_TRUE(fade.Running());
  EXPECT_EQ(fade.FadeImage().size(), QSize(8, 6));
  for (int tick = 0; tick < 60; ++tick) fade.Tick();

  ASSERT_EQ(frames.size(), 52u);
  for (int frame = 0; frame < 51; ++frame)
    ASSERT_EQ(frames[frame], ((frame + 1) * 5 * 255) >> 8) << frame;
  EXPECT_EQ(frames[51], 254);
  EXPECT_EQ(window.repaints.back(), QRect(0, 0, 8, 6));
  EXPECT_EQ(running, std::vector<bool>(52, true));
  EXPECT_FALSE(fade.Running());
  EXPECT_EQ(finished, 1);
}

class RedWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::red); }
};

TEST(EffCar, StartsFromTheWindowsOwnRendering) {
  RedWindow widget;
  widget.setGeometry(40, 30, 30, 20);
  test::FakeDrawTarget window;
  TEffCar fade(window);
  QImage last;
  window.onRepaint = [&] { last = fade.FadeImage().copy(); };
  fade.Start(widget);
  while (fade.Running()) fade.Tick();
  ASSERT_EQ(last.size(), QSize(30, 20));
  const QColor pixel = last.pixelColor(29, 19);
  EXPECT_GE(pixel.red(), 254);
  EXPECT_LE(pixel.green(), 1);
  EXPECT_LE(pixel.blue(), 1);
}

}  // namespace
}  // namespace shelf
