// A hint control: an invisible child on an element's rectangle that carries the element's hint
// and passes every pointer event on to the window, as if the pointer were over the window.
#pragma once

#include <QWidget>

namespace shelf {

class TMyControl : public QWidget {
 public:
  explicit TMyControl(QWidget* window);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override { Forward(event); }
  void mousePressEvent(QMouseEvent* event) override { Forward(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { Forward(event); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Forward(event); }

 private:
  void Forward(QMouseEvent* event);
};

}  // namespace shelf
