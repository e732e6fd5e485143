// A plain child window filled with one colour; clip windows are made of it, the clip playing on
// top of it.
#pragma once

#include <QColor>
#include <QWidget>

namespace shelf {

class TColorWinControl : public QWidget {
 public:
  TColorWinControl(QWidget* parent, QColor color);

  QColor Color() const { return color_; }
  void SetColor(QColor color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
};

}  // namespace shelf
