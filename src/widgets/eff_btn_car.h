// The hover cross-fade of one drawn button or switch: frames between two of its pictures, one per
// timer tick, drawn where the element stands; a new fade while one runs continues from its mirror.
#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>

#include "widgets/super_timer.h"

namespace shelf {

class TDrawTarget;

class TEffBtnCar {
 public:
  // `target`: the window the frames go to; `buttonIndex`: the element the fade belongs to.
  TEffBtnCar(TDrawTarget& target, int buttonIndex);

  // Fades from `from` to `to` at `at`. While a fade runs, the new one starts from 255 minus the
  // level reached, so reversing half-way does not make the picture jump. A missing picture ends
  // any fade without a last frame: the window then shows its own pictures.
  void StartFade(const QImage& from, const QImage& to, QPoint at);
  // Ends the fade without drawing (the window is about to change screens).
  void StopFade();

  // One step of the fade; the timer calls it every tick.
  void Tick();

  int ButtonIndex() const { return buttonIndex_; }
  // Level gained per tick.
  int Step() const { return step_; }
  void SetStep(int step) { step_ = step > 0 ? step : 1; }  // a fade must move on
  bool Running() const { return running_; }

 private:
  TDrawTarget& target_;
  TSuperTimer timer_;
  QImage fromImage_, toImage_, fadeImage_;  // held only while a fade runs
  int buttonIndex_;
  QPoint at_;
  int startLevel_ = 0;
  std::int32_t ticks_ = 0;  // ticks since the fade started
  bool running_ = false;
  int step_ = 1;
};

}  // namespace shelf
