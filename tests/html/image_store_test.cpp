#include "html/image_store.h"

#include "html/html_fixture.h"

namespace shelf::test {
namespace {

TEST(ImageStoreSizes, PicturesBeyondTheBudgetShowScaledOrAsASmallStandIn) {
  const struct {
    QSize Stated;
    bool Scalable;  // decodes straight to a smaller size (JPEG)
    QSize Shown;
  } cases[] = {
      {{800, 600}, false, {800, 600}},
      {{4096, 4096}, false, {4096, 4096}},  // the budget itself
      {{4097, 4096}, false, {256, 256}},
      {{16000, 16000}, false, {256, 256}},
      {{65535, 65535}, false, {256, 256}},
      {{20000, 1000}, false, {256, 13}},
      {{8000, 6000}, true, {4730, 3547}},
      {{65535, 65535}, true, {256, 256}},  // beyond what an eighth of it brings in budget
  };
  for (const auto& c : cases)
    EXPECT_EQ(ShownPictureSize(c.Stated, c.Scalable), c.Shown)
        << c.Stated.width() << "x" << c.Stated.height();
}

class ImageStoreTest : public HtmlTest {};

TEST_F(ImageStoreTest, AGifStatingAHugeScreenGetsASmallStandInUndecoded) {
  // 43 bytes: a screen and a frame of 65 535 pixels square, with the data of one pixel.
  const std::string gif =
      std::string("GIF89a\xFF\xFF\xFF\xFF\x80\x00\x00\xFF\x00\x00\x00\x00\xFF", 19) +
      std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8) +
      std::string("\x2C\x00\x00\x00\x00\xFF\xFF\xFF\xFF\x00\x02\x02\x44\x01\x00", 15) + "\x3B";
  AddFiles({{"screen.gif", gif}, {"small.png", SolidPng(4, 3, Qt::blue)}});
  TImageStore images(Store());
  const auto standIn = images.Get(Dos("screen.gif"));
  ASSERT_TRUE(standIn);
  EXPECT_EQ(standIn->Size, QSize(kStandInSide, kStandInSide));
  ASSERT_EQ(standIn->Frames.size(), 1u);
  EXPECT_EQ(standIn->Frames[0].size(), QSize(1, 1));
  EXPECT_EQ(images.StatedSize(Dos("screen.gif")), QSize(kStandInSide, kStandInSide));
  EXPECT_EQ(images.Get(Dos("small.png"))->Size, QSize(4, 3));
  EXPECT_LT(PeakResidentBytes(), kHostileInputMemory);
}

}  // namespace
}  // namespace shelf::test
