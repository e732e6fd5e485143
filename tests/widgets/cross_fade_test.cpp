#include "widgets/cross_fade.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "draw_target_fake.h"

namespace shelf {
namespace {

using test::Grey;

TEST(CrossFade, BlendsEachByteWithAFlooredStep) {
  struct Case {
    int from, to, level, expected;
  };
  const Case cases[] = {
      {0, 255, 255, 254},    // level 255 stops one short of white
      {255, 0, 255, 0},      // the negative step floors down to -255
      {11, 10, 255, 10},     // -255 >> 8 is -1, not 0
      {10, 11, 255, 10},     // +255 >> 8 is 0
      {100, 200, 128, 150},  //
      {200, 100, 128, 150},  //
      {37, 200, 0, 37},      // level 0 is From
  };
  for (const Case& c : cases) {
    QImage target = Grey(2, 2, 77);
    ASSERT_TRUE(CrossFade(target, Grey(2, 2, c.to), Grey(2, 2, c.from), c.level));
    EXPECT_EQ(qRed(target.pixel(1, 1)), c.expected)
        << c.from << " -> " << c.to << " at " << c.level;
  }
}

// Rows are walked by their own stride: the padding after each row is neither read as pixels nor
// written, for 24-bit and 8-bit images alike.
TEST(CrossFade, HonoursTheRowStride) {
  for (const auto format : {QImage::Format_RGB888, QImage::Format_Grayscale8}) {
    const int bytesPerPixel = format == QImage::Format_RGB888 ? 3 : 1;
    const int width = 3, height = 3, stride = 16;
    std::vector<uchar> fromBytes(stride * height), toBytes(stride * height),
        targetBytes(stride * height, 0xAA);
    for (int i = 0; i < stride * height; ++i) {
      fromBytes[i] = static_cast<uchar>(i);
      toBytes[i] = static_cast<uchar>(i + 100);
    }
    const QImage from(fromBytes.data(), width, height, stride, format);
    const QImage to(toBytes.data(), width, height, stride, format);
    QImage target(targetBytes.data(), width, height, stride, format);
    ASSERT_TRUE(CrossFade(target, to, from, 128));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < stride; ++x) {
        const int i = y * stride + x;
        const int expected = x < width * bytesPerPixel ? fromBytes[i] + 50 : 0xAA;
        ASSERT_EQ(targetBytes[i], expected) << "format " << format << " row " << y << " byte " << x;
      }
  }
}

// The blend runs 32 and 16 bytes at a time; at every level, in each kind of run and in the bytes
// after the last run of a row, it still equals the one-byte formula exactly.
TEST(CrossFade, EveryLevelEqualsTheByteFormula) {
  std::mt19937 random(7);
  const auto noise = [&](int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width * 3; ++x) image.scanLine(y)[x] = static_cast<uchar>(random());
    return image;
  };
  const QImage from = noise(61, 5), to = noise(61, 5);  // 183 bytes a row: 5 x 32, 16, 7
  QImage target(61, 5, QImage::Format_RGB888);
  for (int level = 0; level <= 255; ++level) {
    ASSERT_TRUE(CrossFade(target, to, from, level));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 183; ++x) {
        const int f = from.constScanLine(y)[x], t = to.constScanLine(y)[x];
        ASSERT_EQ(target.constScanLine(y)[x], f + (((t - f) * level) >> 8))
            << "level " << level << " row " << y << " byte " << x;
      }
  }
}

TEST(CrossFade, RefusesMixedFormatsAndBadLevelsAndWritesOnlyTheCommonArea) {
  QImage target = Grey(4, 4, 9);
  EXPECT_FALSE(
      CrossFade(target, Grey(4, 4, 200).convertToFormat(QImage::Format_RGB32), Grey(4, 4, 0), 128));
  EXPECT_FALSE(CrossFade(target, Grey(4, 4, 200), Grey(4, 4, 0), 256));
  EXPECT_FALSE(CrossFade(target, Grey(4, 4, 200), Grey(4, 4, 0), -1));
  EXPECT_EQ(target, Grey(4, 4, 9));

  ASSERT_TRUE(CrossFade(target, Grey(2, 4, 200), Grey(4, 3, 0), 128));
  EXPECT_EQ(qRed(target.pixel(1, 2)), 100);
  EXPECT_EQ(qRed(target.pixel(2, 2)), 9);
  EXPECT_EQ(qRed(target.pixel(1, 3)), 9);
}

}  // namespace
}  // namespace shelf
