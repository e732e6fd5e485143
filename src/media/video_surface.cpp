#include "media/video_surface.h"

#include <QPainter>

namespace shelf {

TVideoSurface::TVideoSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TVideoSurface::ShowFrame(const QImage& frame) {
  frame_ = frame;
  update();
}

void TVideoSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (frame_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawImage(rect(), frame_);
}

}  // namespace shelf
