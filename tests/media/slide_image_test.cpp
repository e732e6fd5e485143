#include "media/slide_image.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include "platform/dos_path.h"
#include "settings/program_options.h"
#include "store/book_store.h"
#include "test_support.h"

namespace shelf {
namespace {

std::string Picture(const char* format) {
  QImage image(8, 8, QImage::Format_RGB888);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toStdString();
}

class SlideImageTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    test::WriteTree(Dir() / "book", {{"a/a.jpg", Picture("JPG")},
                                     {"a/b.bmp", Picture("BMP")},
                                     {"a/c.bmp", "not a picture"},
                                     {"b/x.jpg", Picture("JPG")}});
    files.MapDrive('d', Dir() / "book");
  }
  std::unique_ptr<TSlideImage> Make(int screen) {
    const TDynamicImageArray areas = {{10, 10, 50, 50, "d:\\a\\", 0},
                                      {10, 10, 50, 50, "d:\\b\\", 1}};
    return std::make_unique<TSlideImage>(window, store, files, options, areas, screen);
  }

  TDosFileSystem files;
  TBookStore store{files};
  TProgramOptions options;
  QWidget window;
};

TEST_F(SlideImageTest, ListsBitmapsFirstAndStepsWithWrapKeepingThePreviousOnBadFiles) {
  auto slides = Make(0);
  EXPECT_EQ(slides->Pictures(0),
            (std::vector<std::string>{"d:\\a\\b.bmp", "d:\\a\\c.bmp", "d:\\a\\a.jpg"}));
  EXPECT_EQ(slides->ShownPicture(0), "d:\\a\\b.bmp");
  slides->NextPicture();  // c.bmp cannot be read: b.bmp stays
  EXPECT_EQ(slides->CurrentIndex(), 1);
  EXPECT_EQ(slides->ShownPicture(0), "d:\\a\\b.bmp");
  slides->NextPicture();
  EXPECT_EQ(slides->ShownPicture(0), "d:\\a\\a.jpg");
  slides->NextPicture();  // after the last comes the first
  EXPECT_EQ(slides->CurrentIndex(), 0);
  slides->PreviousPicture();  // before the first comes the last
  EXPECT_EQ(slides->CurrentIndex(), 2);
  EXPECT_EQ(slides->ShownPicture(0), "d:\\a\\a.jpg");
}

TEST_F(SlideImageTest, TimerRunsOnlyWithTheSlideShowOnAndItsAreasShown) {
  auto slides = Make(0);
  EXPECT_FALSE(slides->Timer().isActive());
  EXPECT_EQ(slides->Timer().interval(), 5000);
  slides->SetRunning(true);
  EXPECT_TRUE(slides->Timer().isActive());
  options.RunSlideShow = true;
  slides->ShowForScreen(1);  // index 2 lies beyond the other area's list: its first shows
  EXPECT_EQ(slides->CurrentArea(), 1);
  EXPECT_EQ(slides->ShownPicture(1), "d:\\b\\x.jpg");
  EXPECT_TRUE(slides->Timer().isActive());
  EXPECT_FALSE(slides->Image(0)->isVisibleTo(&window));
  slides->ShowForScreen(2);
  EXPECT_FALSE(slides->Timer().isActive());
}

TEST_F(SlideImageTest, TicksFollowTheSequenceAndRandomNeverRepeats) {
  auto slides = Make(0);
  options.ImageSequence = 1;
  slides->SlideTick();
  EXPECT_EQ(slides->CurrentIndex(), 2);
  options.ImageSequence = 2;
  for (int i = 0; i < 50; ++i) {
    const int before = slides->CurrentIndex();
    slides->SlideTick();
    EXPECT_NE(slides->CurrentIndex(), before);
  }
}

}  // namespace
}  // namespace shelf
