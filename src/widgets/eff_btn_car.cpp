#include "widgets/eff_btn_car.h"

#include <algorithm>

#include "widgets/cross_fade.h"
#include "widgets/draw_target.h"

namespace shelf {

TEffBtnCar::TEffBtnCar(TDrawTarget& target, int buttonIndex)
    : target_(target), buttonIndex_(buttonIndex) {
  timer_.SetInterval(1);
  timer_.OnTimer = [this](TSuperTimer&) { Tick(); };
}

void TEffBtnCar::StartFade(const QImage& from, const QImage& to, QPoint at) {
  if (from.isNull() || to.isNull()) {
    StopFade();
    return;
  }
  if (running_) {
    startLevel_ = 255 - (ticks_ * step_ + startLevel_);
    timer_.SetEnabled(false);
  }
  fromImage_ = from.convertToFormat(QImage::Format_RGB888);
  toImage_ = to.convertToFormat(QImage::Format_RGB888);
  // Where the two pictures differ in size, the part only From covers stays From.
  fadeImage_ = fromImage_.copy();
  at_ = at;
  running_ = true;
  ticks_ = 0;
  timer_.SetEnabled(true);
}

void TEffBtnCar::StopFade() {
  timer_.SetEnabled(false);
  startLevel_ = 0;
  running_ = false;
  fromImage_ = toImage_ = fadeImage_ = QImage();
}

void TEffBtnCar::Tick() {
  if (!running_) return;
  ++ticks_;
  const int level = ticks_ * step_ + startLevel_;
  CrossFade(fadeImage_, toImage_, fromImage_, std::min(level, 255));
  target_.DrawOverlay(at_, fadeImage_);
  if (level > 255) StopFade();  // that was the last frame, at level 255
}

}  // namespace shelf
