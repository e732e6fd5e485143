#include "media/slide_image.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <random>

#include "settings/program_options.h"
#include "store/book_path.h"
#include "widgets/book_picture.h"

namespace shelf {

namespace {

// A picture control that reports pointer moves.
class TSlideLabel : public QLabel {
 public:
  TSlideLabel(QWidget* parent, std::function<void()> onMove)
      : QLabel(parent), onMove_(std::move(onMove)) {
    setMouseTracking(true);
    setAlignment(Qt::AlignCenter);
  }

 protected:
  void mouseMoveEvent(QMouseEvent*) override { onMove_(); }

 private:
  std::function<void()> onMove_;
};

}  // namespace

TSlideImage::TSlideImage(QWidget& window, const TBookStore& store, const TDosFileSystem& fileSystem,
                         const TProgramOptions& options, const TDynamicImageArray& areas,
                         int currentScreen)
    : store_(store), options_(options) {
  for (const RImage& area : areas) {
    auto* image = new TSlideLabel(&window, [this] {
      if (OnPointerMove) OnPointerMove();
    });
    image->hide();
    image->setGeometry(area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top);
    images_.push_back(image);
    screens_.push_back(area.Screen);
    pictures_.push_back(
        FindFiles(fileSystem, area.Folder, {"*.bmp", "*.jpg", "*.jpeg"}, false, false));
  }
  shown_.resize(areas.size());
  timer_.setInterval(options_.SlideShowTime * 1000);
  QObject::connect(&timer_, &QTimer::timeout, [this] { SlideTick(); });
  ShowForScreen(currentScreen);
}

TSlideImage::~TSlideImage() {
  timer_.stop();
  for (QLabel* image : images_) delete image;
}

void TSlideImage::ShowForScreen(int screen) {
  for (size_t i = 0; i < images_.size(); ++i) {
    if (screens_[i] == screen) {
      images_[i]->show();
      currentArea_ = static_cast<int>(i);
      if (shown_[i].empty()) {
        // The index is shared by all areas: beyond this area's list its first picture shows.
        if (currentIndex_ >= static_cast<int>(pictures_[i].size())) currentIndex_ = 0;
        Load(currentIndex_);
      }
      if (options_.RunSlideShow) timer_.start();
    } else if (screens_[i] == shownScreen_) {
      if (options_.RunSlideShow) timer_.stop();
      images_[i]->hide();
    }
  }
  shownScreen_ = screen;
}

void TSlideImage::NextPicture() {
  const int count = static_cast<int>(pictures_[currentArea_].size());
  if (count == 0) return;
  currentIndex_ = currentIndex_ + 1 >= count ? 0 : currentIndex_ + 1;
  Load(currentIndex_);
}

void TSlideImage::PreviousPicture() {
  const int count = static_cast<int>(pictures_[currentArea_].size());
  if (count == 0) return;
  currentIndex_ =
      currentIndex_ - 1 < 0 || currentIndex_ - 1 >= count ? count - 1 : currentIndex_ - 1;
  Load(currentIndex_);
}

void TSlideImage::SlideTick() {
  if (options_.ImageSequence == 0) return NextPicture();
  if (options_.ImageSequence == 1) return PreviousPicture();
  const int count = static_cast<int>(pictures_[currentArea_].size());
  if (count == 0) return;
  // Another picture than the one on show, so that a random show never seems to stand still.
  static std::mt19937 random{std::random_device{}()};
  int next = count == 1 ? 0 : std::uniform_int_distribution<int>(0, count - 2)(random);
  if (count > 1 && next >= currentIndex_) ++next;
  currentIndex_ = next;
  Load(currentIndex_);
}

void TSlideImage::SetRunning(bool run) {
  const bool areaShown =
      currentArea_ < static_cast<int>(images_.size()) && screens_[currentArea_] == shownScreen_;
  if (run && areaShown)
    timer_.start();
  else
    timer_.stop();
}

void TSlideImage::Load(int index) {
  const auto& list = pictures_[currentArea_];
  if (index < 0 || index >= static_cast<int>(list.size())) return;
  const QImage picture = LoadBookPicture(store_, list[index]);
  if (picture.isNull()) return;  // a picture that cannot be read leaves the previous one
  images_[currentArea_]->setPixmap(QPixmap::fromImage(picture));
  shown_[currentArea_] = list[index];
}

}  // namespace shelf
