// The area of a frameset: places its frames' widgets in the rows and columns the frameset
// asks for, with a thin separator between them when the frameset has borders.
#pragma once

#include <QWidget>
#include <vector>

#include "html/frame_set_layout.h"

namespace shelf {

class TFrameSetWidget : public QWidget {
 public:
  TFrameSetWidget(const TFrameSetLayout& spec, QWidget* parent = nullptr);

  // The widget shown in slot `index` (frames in order: rows first, then columns); the old one
  // is deleted.
  void SetSlot(std::size_t index, QWidget* widget);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Arrange();

  std::string rows_, cols_;
  int gap_ = 0;
  std::vector<QWidget*> slots_;
};

}  // namespace shelf
