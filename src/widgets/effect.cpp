#include "widgets/effect.h"

#include "widgets/draw_target.h"

namespace shelf {
namespace {

constexpr int kMinBandHeight = 20;

// numerator / denominator rounded to the nearest integer, halves to the even one.
int RoundHalfEven(int numerator, int denominator) {
  const int quotient = numerator / denominator;
  const int twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0))
    return quotient + 1;
  return quotient;
}

}  // namespace

TEffect::TEffect(TDrawTarget& target) : target_(target) {
  timer_.SetInterval(1);
  timer_.OnTimer = [this](TSuperTimer&) { Tick(); };
}

bool TEffect::Start(QSize windowSize, const QImage& picture) {
  const int height = windowSize.height();
  if (running_ || height < kMinBandHeight || windowSize.width() <= 0) return false;
  width_ = windowSize.width();
  bandCount_ = height / kMinBandHeight;
  const int pitch = RoundHalfEven(height, bandCount_);
  bandTop_.resize(bandCount_);
  bandHeight_.resize(bandCount_);
  for (int i = 0; i < bandCount_; ++i) bandTop_[i] = i * pitch;
  for (int i = 0; i < bandCount_; ++i)
    bandHeight_[i] = (i + 1 < bandCount_ ? bandTop_[i + 1] : height) - bandTop_[i];

  const int half = width_ / 2;
  threshold_ = half + half * 20 / 100;
  leftX_.assign(bandCount_, half);
  rightX_.assign(bandCount_, half);
  activeBand_ = 0;

  picture_ = picture;
  running_ = true;
  timer_.SetEnabled(true);
  return true;
}

void TEffect::Tick() {
  if (!running_) return;
  if (rightX_[activeBand_] > width_) {
    timer_.SetEnabled(false);
    running_ = false;
    picture_ = QImage();
    return;
  }
  for (int i = 0; i <= activeBand_; ++i) {
    if (leftX_[i] >= 0) DrawColumn(leftX_[i]--, i);
    if (rightX_[i] <= width_) DrawColumn(rightX_[i]++, i);
  }
  if (rightX_[activeBand_] > threshold_ && activeBand_ < bandCount_ - 1) ++activeBand_;
}

// Columns the picture does not cover (it may be smaller than the window) are left alone.
void TEffect::DrawColumn(int x, int band) {
  const QRect column = QRect(x, bandTop_[band], 1, bandHeight_[band]) & picture_.rect();
  if (!column.isEmpty()) target_.DrawOverlay(column.topLeft(), picture_.copy(column));
}

}  // namespace shelf
