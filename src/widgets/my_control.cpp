#include "widgets/my_control.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace shelf {

TMyControl::TMyControl(QWidget* window) : QWidget(window) {
  setMouseTracking(true);
  setAttribute(Qt::WA_NoSystemBackground);
}

void TMyControl::Forward(QMouseEvent* event) {
  QWidget* window = parentWidget();
  const QPointF at = mapTo(window, event->position().toPoint());
  QMouseEvent forwarded(event->type(), at, event->scenePosition(), event->globalPosition(),
                        event->button(), event->buttons(), event->modifiers());
  QCoreApplication::sendEvent(window, &forwarded);
  event->setAccepted(forwarded.isAccepted());
}

}  // namespace shelf
