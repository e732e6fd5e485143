// The application object: an exception that escapes an event handler is dropped here, without
// a message, and the program goes on (a failing handler must not end a reader's session).
#pragma once

#include <QApplication>

namespace shelf {

class TShelfApplication : public QApplication {
 public:
  TShelfApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace shelf
