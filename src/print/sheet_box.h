// One sheet of the print preview: draws a recorded page so that the whole physical sheet fills
// the box, the printable area at its offset, and hands pointer input to the preview.
#pragma once

#include <QWidget>
#include <functional>

class QPicture;

namespace shelf {

struct TSheetMetrics;

class TSheetBox : public QWidget {
 public:
  explicit TSheetBox(QWidget* parent = nullptr);

  // The page to draw (none: an empty sheet) and the sheet it was recorded for.
  std::function<const QPicture*()> Page;
  std::function<TSheetMetrics()> Sheet;
  std::function<void(TSheetBox&box, QMouseEvent*event)> OnPress, OnMove, OnRelease;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace shelf
