// The fade-in of a whole window: from what the screen showed under it to its own picture, in
// frames of level 5, 10, ... 255, one per timer tick, then a last frame at level 255.
#pragma once

#include <QImage>
#include <cstdint>
#include <functional>

#include "widgets/super_timer.h"

class QWidget;

namespace shelf {

class TDrawTarget;

class TEffCar {
 public:
  // `target`: the window that fades in.
  explicit TEffCar(TDrawTarget& target);

  // Takes the screen under `window` and the window's own rendering, then starts. Call it with the
  // window placed but not yet shown, so that the screen shows what the window will cover; show
  // the window right after (its paint then draws the first frame).
  void Start(QWidget& window);
  // Starts from two pictures; `formImage` gives the size, `screenImage` is cut or padded to it.
  void Start(const QImage& screenImage, const QImage& formImage);

  // One step of the fade; the timer calls it every tick. Each frame asks the window to repaint
  // itself whole. Running ends with the last frame, before the window gets to paint it, so the
  // window ends on its own picture.
  void Tick();

  // While running, the window's paint draws FadeImage at (0, 0) and nothing else.
  bool Running() const { return running_; }
  const QImage& FadeImage() const { return fadeImage_; }

  // Runs after the last frame (the drawn dialog shows its find boxes again).
  std::function<void()> OnFinished;

 private:
  TDrawTarget& target_;
  TSuperTimer timer_;
  QImage screenImage_, formImage_, fadeImage_;  // held only while the fade runs
  std::int32_t ticks_ = 0;
  bool running_ = false;
};

}  // namespace shelf
