#include "widgets/eff_car.h"

#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "widgets/cross_fade.h"
#include "widgets/draw_target.h"

namespace shelf {
namespace {

constexpr int kLevelPerTick = 5;

// A picture in the fade's format at the window's size in its own pixels (not device pixels).
QImage FadePicture(const QPixmap& pixmap, QSize size) {
  QImage image = pixmap.toImage();
  if (!image.isNull() && image.size() != size) image = image.scaled(size);
  return image;
}

}  // namespace

TEffCar::TEffCar(TDrawTarget& target) : target_(target) {
  timer_.SetInterval(1);
  timer_.OnTimer = [this](TSuperTimer&) { Tick(); };
}

void TEffCar::Start(QWidget& window) {
  const QSize size = window.size();
  QImage screen;
  if (QScreen* s = window.screen()) {
    const QPoint at = window.mapToGlobal(QPoint(0, 0)) - s->geometry().topLeft();
    screen = FadePicture(s->grabWindow(0, at.x(), at.y(), size.width(), size.height()), size);
  }
  Start(screen, FadePicture(window.grab(), size));
}

void TEffCar::Start(const QImage& screenImage, const QImage& formImage) {
  formImage_ = formImage.convertToFormat(QImage::Format_RGB888);
  const QRect area(QPoint(0, 0), formImage_.size());
  // Where the screen picture falls short the fade starts from black.
  screenImage_ = screenImage.convertToFormat(QImage::Format_RGB888).copy(area);
  if (screenImage_.isNull()) {
    screenImage_ = QImage(area.size(), QImage::Format_RGB888);
    screenImage_.fill(Qt::black);
  }
  fadeImage_ = screenImage_.copy();
  running_ = true;
  ticks_ = 0;
  timer_.SetEnabled(true);
}

void TEffCar::Tick() {
  if (!running_) return;
  ++ticks_;
  const int level = ticks_ * kLevelPerTick;
  CrossFade(fadeImage_, formImage_, screenImage_, std::min(level, 255));
  // The window paints FadeImage itself while the fade runs: it only needs to repaint.
  target_.RepaintArea(fadeImage_.rect());
  if (level <= 255) return;
  timer_.SetEnabled(false);
  running_ = false;
  screenImage_ = formImage_ = fadeImage_ = QImage();
  if (OnFinished) OnFinished();
}

}  // namespace shelf
