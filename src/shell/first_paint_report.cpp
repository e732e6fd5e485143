#include "shell/first_paint_report.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace shelf {

void TFirstPaintReport::Watch(QWidget& window) {
  if (qEnvironmentVariableIsSet("SHELF_REPORT_FIRST_PAINT")) new TFirstPaintReport(window);
}

TFirstPaintReport::TFirstPaintReport(QWidget& window) : QObject(&window) {
  window.installEventFilter(this);
}

bool TFirstPaintReport::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Paint) return false;
  watched->removeEventFilter(this);
  // Once the paint has been handled, the line goes out and the watcher goes away.
  QTimer::singleShot(0, this, [this] {
    std::fputs("painted\n", stdout);
    std::fflush(stdout);
    deleteLater();
  });
  return false;
}

}  // namespace shelf
