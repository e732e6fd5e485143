#include "widgets/effect.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "draw_target_fake.h"

namespace shelf {
namespace {

// A picture whose every column has its own colour, so each drawn column tells where it came from.
QImage Columns(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB888);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) picture.setPixel(x, y, qRgb(x, y, 0));
  return picture;
}

class EffectTest : public ::testing::Test {
 protected:
  // Ticks until the reveal ends; returns how many ticks it ran.
  int RunToEnd() {
    int ticks = 0;
    while (reveal.Running() && ticks < 10000) {
      reveal.Tick();
      ++ticks;
    }
    return ticks;
  }

  test::FakeDrawTarget window;
  TEffect reveal{window};
};

// Bands are height / (height div 20) apart, rounded halves to even: 45 pixels make two bands at
// 0 and 22 (not 23), the last one taking the rest.
TEST_F(EffectTest, CutsTheWindowIntoBandsThatOpenFromTheCentre) {
  const struct {
    int height;
    std::map<int, int> bands;  // top -> height
  } cases[] = {{45, {{0, 22}, {22, 23}}}, {70, {{0, 23}, {23, 23}, {46, 24}}}, {20, {{0, 20}}}};
  for (const auto& c : cases) {
    window.overlays.clear();
    ASSERT_TRUE(reveal.Start(QSize(100, c.height), Columns(100, c.height)));
    RunToEnd();
    std::map<int, int> bands;
    std::map<int, std::set<int>> columns;  // band top -> columns drawn
    for (const auto& drawn : window.overlays) {
      ASSERT_EQ(drawn.image.width(), 1);
      bands[drawn.at.y()] = drawn.image.height();
      columns[drawn.at.y()].insert(drawn.at.x());
      ASSERT_EQ(qRed(drawn.image.pixel(0, 0)), drawn.at.x());
      ASSERT_EQ(qGreen(drawn.image.pixel(0, 0)), drawn.at.y());
    }
    EXPECT_EQ(bands, c.bands) << c.height;
    for (const auto& [top, xs] : columns) {
      EXPECT_EQ(xs.size(), 100u) << c.height;  // every column of the picture, none beyond it
      EXPECT_EQ(*xs.begin(), 0);
      EXPECT_EQ(*xs.rbegin(), 99);
    }
    // The first tick opens the centre column of the first band only.
    EXPECT_EQ(window.overlays.front().at, QPoint(50, 0));
  }
}

// Width 100: the centre is 50 and the next band starts once the band above has passed column 60.
TEST_F(EffectTest, EachBandStartsAtTheThresholdAndTheRevealEndsTheTickAfterTheLastPassesTheEdge) {
  ASSERT_TRUE(reveal.Start(QSize(100, 40), Columns(100, 40)));
  for (int tick = 1; tick <= 11; ++tick) reveal.Tick();
  for (const auto& drawn : window.overlays) ASSERT_EQ(drawn.at.y(), 0);
  reveal.Tick();
  EXPECT_EQ(window.overlays.back().at, QPoint(50, 20));

  // The second band, started on tick 12, passes column 100 on tick 62.
  for (int tick = 13; tick <= 62; ++tick) reveal.Tick();
  EXPECT_TRUE(reveal.Running());
  const std::size_t drawn = window.overlays.size();
  reveal.Tick();
  EXPECT_FALSE(reveal.Running());
  reveal.Tick();
  EXPECT_EQ(window.overlays.size(), drawn);
}

TEST_F(EffectTest, IgnoresAStartWhileRunningAndWindowsWithoutABand) {
  EXPECT_FALSE(reveal.Start(QSize(100, 19), Columns(100, 19)));
  EXPECT_FALSE(reveal.Running());

  ASSERT_TRUE(reveal.Start(QSize(100, 40), Columns(100, 40)));
  reveal.Tick();
  EXPECT_FALSE(reveal.Start(QSize(300, 300), Columns(300, 300)));
  EXPECT_EQ(RunToEnd(), 62);  // the first reveal goes on as it was
  EXPECT_TRUE(reveal.Start(QSize(100, 40), Columns(100, 40)));
}

}  // namespace
}  // namespace shelf
