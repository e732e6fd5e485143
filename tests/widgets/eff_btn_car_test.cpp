#include "widgets/eff_btn_car.h"

#include <gtest/gtest.h>

#include <QTest>

#include "draw_target_fake.h"

namespace shelf {
namespace {

using test::Grey;

// The grey level a frame of a black-white fade shows at `level`.
int Blend(int from, int to, int level) {
  return from + ((level * (to - from)) >> 8);
}

int FrameLevel(const test::FakeDrawTarget& window, std::size_t frame) {
  return qRed(window.overlays.at(frame).image.pixel(0, 0));
}

class EffBtnCarTest : public ::testing::Test {
 protected:
  test::FakeDrawTarget window;
  TEffBtnCar fade{window, 7};
  const QImage black = Grey(4, 3, 0);
  const QImage white = Grey(4, 3, 255);
};

TEST_F(EffBtnCarTest, FadesOneStepPerTickThenDrawsTheLastFrameAndStops) {
  fade.SetStep(4);
  fade.StartFade(black, white, QPoint(10, 20));
  EXPECT_TRUE(fade.Running());
  for (int tick = 1; tick <= 64; ++tick) fade.Tick();

  // Levels 4, 8, ... 252, then one frame at 255 once the level passes 255.
  ASSERT_EQ(window.overlays.size(), 64u);
  for (int frame = 0; frame < 63; ++frame)
    ASSERT_EQ(FrameLevel(window, frame), Blend(0, 255, 4 * (frame + 1))) << frame;
  EXPECT_EQ(FrameLevel(window, 63), 254);
  EXPECT_EQ(window.overlays.back().at, QPoint(10, 20));
  EXPECT_EQ(window.overlays.back().image.size(), QSize(4, 3));
  EXPECT_FALSE(fade.Running());

  fade.Tick();
  EXPECT_EQ(window.overlays.size(), 64u);
}

// Leaving the button when its fade-in has reached level 100 continues the fade-out from 155.
TEST_F(EffBtnCarTest, ARestartWhileRunningContinuesFromTheMirroredLevel) {
  fade.SetStep(4);
  fade.StartFade(black, white, QPoint(0, 0));
  for (int tick = 1; tick <= 25; ++tick) fade.Tick();
  EXPECT_EQ(FrameLevel(window, 24), Blend(0, 255, 100));

  fade.StartFade(white, black, QPoint(0, 0));
  fade.Tick();
  EXPECT_EQ(FrameLevel(window, 25), Blend(255, 0, 155 + 4));
  // From 159 the fade passes 255 on its 26th tick.
  for (int tick = 2; tick <= 25; ++tick) fade.Tick();
  EXPECT_TRUE(fade.Running());
  fade.Tick();
  EXPECT_FALSE(fade.Running());
  EXPECT_EQ(FrameLevel(window, 50), 0);

  // The next fade starts from level 0 again.
  fade.StartFade(black, white, QPoint(0, 0));
  fade.Tick();
  EXPECT_EQ(FrameLevel(window, 51), Blend(0, 255, 4));
}

TEST_F(EffBtnCarTest, StopAndMissingPicturesEndWithoutALastFrame) {
  fade.StartFade(black, white, QPoint(0, 0));
  fade.Tick();
  fade.StopFade();
  fade.Tick();
  EXPECT_FALSE(fade.Running());
  EXPECT_EQ(window.overlays.size(), 1u);

  // A stopped fade leaves no level behind: the next one starts from the beginning.
  fade.StartFade(black, white, QPoint(0, 0));
  fade.Tick();
  EXPECT_EQ(FrameLevel(window, 1), Blend(0, 255, 1));

  fade.StartFade(white, QImage(), QPoint(0, 0));
  fade.Tick();
  EXPECT_FALSE(fade.Running());
  EXPECT_EQ(window.overlays.size(), 2u);
}

TEST_F(EffBtnCarTest, RunsOnItsTimer) {
  fade.SetStep(100);
  fade.StartFade(black, white, QPoint(0, 0));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !fade.Running(); }, 2000));
  ASSERT_EQ(window.overlays.size(), 3u);  // levels 100, 200, then the last frame
  EXPECT_EQ(FrameLevel(window, 2), 254);
}

}  // namespace
}  // namespace shelf
