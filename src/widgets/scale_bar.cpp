#include "widgets/scale_bar.h"

#include "widgets/book_picture.h"
#include "widgets/draw_target.h"

namespace shelf {

TScaleBar::TScaleBar(const TBookStore& store, std::string programDir, int x, int y, int barScreen,
                     std::string emptyImageName, std::string fullImageName, int currentScreen)
    : store_(store),
      programDir_(std::move(programDir)),
      emptyImageName_(std::move(emptyImageName)),
      fullImageName_(std::move(fullImageName)),
      x_(x),
      y_(y),
      barRight_(x),
      barBottom_(y),
      barScreen_(barScreen),
      pos_(x) {
  Prepare(currentScreen);
}

void TScaleBar::Prepare(int currentScreen) {
  if (barScreen_ == currentScreen) {
    emptyImage_ = LoadBookPicture(store_, programDir_ + emptyImageName_);
    fullImage_ = LoadBookPicture(store_, programDir_ + fullImageName_);
    barRight_ = x_ + emptyImage_.width();
    barBottom_ = y_ + emptyImage_.height();
    if (dialog_) {
      Draw(fullImage_, fullImage_.rect());
      Draw(emptyImage_, QRect(pos_ - x_, 0, barRight_ - pos_, emptyImage_.height()));
      Reset(currentScreen);
    }
  } else {
    emptyImage_ = fullImage_ = QImage();
  }
}

void TScaleBar::Reset(int currentScreen) {
  pos_ = x_;
  if (barScreen_ == currentScreen) Draw(emptyImage_, emptyImage_.rect());
}

void TScaleBar::Advance(int currentScreen) {
  if (barScreen_ == currentScreen) Draw(fullImage_, QRect(pos_ - x_, 0, 1, barBottom_ - y_));
  ++pos_;
}

// Copies `part` of a bar picture to the same place of the bar, into the dialog's background
// picture so that the bar survives the dialog's repaints. What the picture lacks is not drawn.
void TScaleBar::Draw(const QImage& image, const QRect& part) {
  const QRect drawn = part & image.rect();
  if (dialog_ && !drawn.isEmpty())
    dialog_->DrawOnBackground(QPoint(x_ + drawn.x(), y_ + drawn.y()), image.copy(drawn));
}

}  // namespace shelf
