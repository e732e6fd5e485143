#include "widgets/scale_bar.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "draw_target_fake.h"
#include "platform/dos_path.h"
#include "store/book_store.h"
#include "test_support.h"

namespace shelf {
namespace {

constexpr int kX = 33, kY = 75, kBarScreen = 1;

class ScaleBarTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    std::filesystem::create_directories(Dir() / "book/run");
    fileSystem.MapDrive('d', Dir() / "book");
  }

  // The two bar pictures: empty is grey 50, full grey 200, both 10 x 4.
  void WritePictures() {
    test::Grey(10, 4, 50).save(QString::fromStdString((Dir() / "book/run/status_up.bmp").string()),
                               "BMP");
    test::Grey(10, 4, 200)
        .save(QString::fromStdString((Dir() / "book/run/Status_Dn.BMP").string()), "BMP");
  }

  TScaleBar Bar(int currentScreen) {
    return TScaleBar(store, "d:\\run\\", kX, kY, kBarScreen, "status_up.bmp", "status_dn.bmp",
                     currentScreen);
  }

  TDosFileSystem fileSystem;
  TBookStore store{fileSystem};
  test::FakeDrawTarget dialog;
};

int GreyOf(const test::FakeDrawTarget::Drawn& drawn) {
  return qRed(drawn.image.pixel(0, 0));
}

TEST_F(ScaleBarTest, PreparesTheEmptyBarAndFillsItColumnByColumn) {
  WritePictures();
  TScaleBar bar = Bar(kBarScreen);  // made before the dialog exists: nothing to draw on
  EXPECT_EQ(bar.BarRight(), kX + 10);
  EXPECT_EQ(bar.BarBottom(), kY + 4);
  EXPECT_TRUE(dialog.background.empty());

  bar.SetDialog(&dialog);
  bar.Prepare(kBarScreen);
  ASSERT_FALSE(dialog.background.empty());
  const auto& shown = dialog.background.back();  // ends with the whole empty bar
  EXPECT_EQ(shown.at, QPoint(kX, kY));
  EXPECT_EQ(shown.image.size(), QSize(10, 4));
  EXPECT_EQ(GreyOf(shown), 50);
  EXPECT_EQ(bar.Pos(), kX);

  dialog.background.clear();
  bar.Advance(kBarScreen);
  bar.Advance(kBarScreen);
  ASSERT_EQ(dialog.background.size(), 2u);
  EXPECT_EQ(dialog.background[1].at, QPoint(kX + 1, kY));
  EXPECT_EQ(dialog.background[1].image.size(), QSize(1, 4));
  EXPECT_EQ(GreyOf(dialog.background[1]), 200);
  EXPECT_EQ(bar.Pos(), kX + 2);

  bar.Reset(kBarScreen);
  EXPECT_EQ(bar.Pos(), kX);
  EXPECT_EQ(GreyOf(dialog.background.back()), 50);
}

// Off the bar's screen, and past the end of the picture, the bar is not drawn but its position
// still moves, so a search that waits for it to reach its share never hangs.
TEST_F(ScaleBarTest, AdvancesWithoutDrawingWhereThereIsNothingToDraw) {
  WritePictures();
  TScaleBar bar = Bar(kBarScreen);
  bar.SetDialog(&dialog);
  bar.Prepare(0);
  bar.Advance(0);
  EXPECT_EQ(bar.Pos(), kX + 1);
  bar.Advance(kBarScreen);  // the pictures were let go on the other screen
  EXPECT_TRUE(dialog.background.empty());

  bar.Prepare(kBarScreen);
  dialog.background.clear();
  for (int i = 0; i < 12; ++i) bar.Advance(kBarScreen);
  EXPECT_EQ(dialog.background.size(), 10u);
  EXPECT_EQ(bar.Pos(), kX + 12);
}

TEST_F(ScaleBarTest, MissingPicturesLeaveTheBarUndrawn) {
  TScaleBar bar = Bar(kBarScreen);
  bar.SetDialog(&dialog);
  bar.Prepare(kBarScreen);
  bar.Advance(kBarScreen);
  bar.Reset(kBarScreen);
  EXPECT_TRUE(dialog.background.empty());
  EXPECT_EQ(bar.BarRight(), kX);
}

}  // namespace
}  // namespace shelf
