// The picture of a playing video: a child window that paints the device's latest frame scaled to
// its size, letting the pointer through to the window below it.
#pragma once

#include <QImage>
#include <QWidget>

namespace shelf {

class TVideoSurface : public QWidget {
 public:
  explicit TVideoSurface(QWidget* parent);

  void ShowFrame(const QImage& frame);
  const QImage& Frame() const { return frame_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage frame_;
};

}  // namespace shelf
