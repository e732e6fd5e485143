#include "shell/shelf_application.h"

namespace shelf {

TShelfApplication::TShelfApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The main window decides when the program ends (after its closing animation).
  setQuitOnLastWindowClosed(false);
}

bool TShelfApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    return false;
  }
}

}  // namespace shelf
