// The band reveal of a window's picture: the window is cut into horizontal bands that open from
// the centre to both sides one column per tick, each band starting when the one above is 10 % open.
#pragma once

#include <QImage>
#include <QSize>
#include <vector>

#include "widgets/super_timer.h"

namespace shelf {

class TDrawTarget;

class TEffect {
 public:
  // `target`: the window the picture is revealed on.
  explicit TEffect(TDrawTarget& target);

  // Starts revealing `picture` on a window of `windowSize`. Ignored while a reveal runs and for
  // windows less than 20 pixels high (they hold no band); false then.
  bool Start(QSize windowSize, const QImage& picture);

  // One step of the reveal; the timer calls it every tick.
  void Tick();

  bool Running() const { return running_; }

 private:
  void DrawColumn(int x, int band);

  TDrawTarget& target_;
  TSuperTimer timer_;
  std::vector<int> leftX_, rightX_, bandTop_, bandHeight_;
  int bandCount_ = 0;
  int activeBand_ = 0;
  int threshold_ = 0;
  int width_ = 0;
  QImage picture_;  // held only while the reveal runs
  bool running_ = false;
};

}  // namespace shelf
