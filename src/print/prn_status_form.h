// The progress window of a rendering or printing run: shows the page being made and lets the
// reader cancel with its button or any key; the pages made before the cancel are kept.
#pragma once

#include <QDialog>

class QLabel;
class QToolButton;

namespace shelf {

class TDocumentView;
class TMetaFilePrinter;
class TPageCanvas;

class TPrnStatusForm : public QDialog {
 public:
  explicit TPrnStatusForm(QWidget* parent = nullptr);

  // Renders the document into the recorder; true when the reader cancelled.
  bool RunPreview(TDocumentView& view, TMetaFilePrinter& recorder, double printScale);
  // Prints pages [firstPage, lastPage] onto `printer`; true when the reader cancelled.
  bool RunPrint(TDocumentView& view, TPageCanvas& printer, double printScale, int firstPage,
                int lastPage);
  bool Cancelled() const { return cancel_; }
  QString StatusText() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool Run(TDocumentView& view, const std::function<void()>& work);
  void ShowProgress(int page, bool& stop);

  QLabel* statusLabel_;
  QToolButton* cancelButton_;
  bool cancel_ = false;
};

}  // namespace shelf
