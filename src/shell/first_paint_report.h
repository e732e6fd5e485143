// Says on the standard output when a window has painted for the first time, if the environment
// asks for it (SHELF_REPORT_FIRST_PAINT): the start-up benchmark times the program by that line.
#pragma once

#include <QObject>

class QWidget;

namespace shelf {

class TFirstPaintReport : public QObject {
 public:
  // Watches `window` when SHELF_REPORT_FIRST_PAINT is set; does nothing otherwise.
  static void Watch(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit TFirstPaintReport(QWidget& window);
};

}  // namespace shelf
