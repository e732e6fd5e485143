#include "shell/window_animation.h"

#include <gtest/gtest.h>

#include <vector>

namespace shelf {
namespace {

template <typename Animation>
std::vector<QRegion> Frames(QSize size) {
  Animation animation(size);
  std::vector<QRegion> frames;
  while (auto frame = animation.Step()) frames.push_back(*frame);
  return frames;
}

TEST(WindowAnimation, OpeningGrowsFromTheCentreUntilTheWindowIsCovered) {
  const QSize size(800, 600);
  const auto frames = Frames<TOpeningAnimation>(size);
  // Half-width 400 down to -400 in steps of 4, then the whole window.
  ASSERT_EQ(frames.size(), 202u);
  EXPECT_TRUE(frames.front().isEmpty());
  EXPECT_TRUE(frames[1].contains(QPoint(400, 300)));
  const QRegion whole(QRect(QPoint(), size));
  for (size_t i = 1; i < frames.size(); ++i) {
    const QRegion shown = frames[i - 1].intersected(whole);
    EXPECT_EQ(frames[i].intersected(shown), shown) << "frame " << i;
  }
  EXPECT_EQ(frames.back(), whole);
}

TEST(WindowAnimation, SquarishWindowsEndWithTheirCorners) {
  for (const QSize size : {QSize(600, 600), QSize(400, 700)}) {
    const auto frames = Frames<TOpeningAnimation>(size);
    const QRegion whole(QRect(QPoint(), size));
    EXPECT_FALSE(frames[frames.size() - 2].contains(QPoint(0, 0))) << "the last ellipse";
    EXPECT_EQ(frames.back(), whole);
  }
}

TEST(WindowAnimation, ClosingShrinksToABandThenToNothing) {
  const QSize size(800, 600);
  const auto frames = Frames<TClosingAnimation>(size);
  // 146 band steps (b 0..290 by 2), 131 narrowing steps (a 0..390 by 3), 8 ellipses (a 393..400).
  ASSERT_EQ(frames.size(), 146u + 131u + 8u);
  EXPECT_TRUE(frames.front().contains(QPoint(400, 5)));
  EXPECT_FALSE(frames.front().contains(QPoint(0, 0)));  // rounded corners from the start
  for (size_t i = 1; i < frames.size(); ++i)
    EXPECT_EQ(frames[i].intersected(frames[i - 1]), frames[i]) << "frame " << i;
  EXPECT_LT(frames.back().boundingRect().width(), 20);
}

}  // namespace
}  // namespace shelf
