// Asks which sheet of the preview to go to: a page number between 1 and the page count.
#pragma once

#include <QDialog>

class QSpinBox;

namespace shelf {

class TGoPageForm : public QDialog {
 public:
  explicit TGoPageForm(QWidget* parent = nullptr);
  void SetRange(int highest, int preset);
  int PageNum() const;
  QSpinBox* PageNumBox() const { return pageNum_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QSpinBox* pageNum_;
};

}  // namespace shelf
