#include "shell/first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace shelf {
namespace {

// A child of the window, so it goes with it; it removes itself once it has run its step.
class TFirstPaintWatcher : public QObject {
 public:
  TFirstPaintWatcher(QWidget& window, std::function<void()> then)
      : QObject(&window), then_(std::move(then)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    watched->removeEventFilter(this);
    // Not inside the paint: the step runs once the paint has been handled.
    QTimer::singleShot(0, this, [this] {
      then_();
      deleteLater();
    });
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> then) {
  new TFirstPaintWatcher(window, std::move(then));
}

}  // namespace shelf
