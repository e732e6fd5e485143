#include "print/prn_status_form.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "html/document_view.h"
#include "platform/cp1251.h"
#include "print/meta_file_printer.h"

namespace shelf {

namespace {
QString Ui(const char* utf8) {
  return ToQString(Utf8ToCp1251Lossy(utf8));
}
}  // namespace

TPrnStatusForm::TPrnStatusForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(Ui("Форматирование текста"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  statusLabel_ = new QLabel(this);
  statusLabel_->setAlignment(Qt::AlignCenter);
  statusLabel_->setFixedWidth(222);
  cancelButton_ = new QToolButton(this);
  cancelButton_->setAutoRaise(true);
  cancelButton_->setText(Ui("Отмена"));
  cancelButton_->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(statusLabel_);
  layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
  connect(cancelButton_, &QToolButton::clicked, this, [this] { cancel_ = true; });
}

QString TPrnStatusForm::StatusText() const {
  return statusLabel_->text();
}

bool TPrnStatusForm::RunPreview(TDocumentView& view, TMetaFilePrinter& recorder,
                                double printScale) {
  return Run(view, [&] { view.PrintPages(recorder, printScale); });
}

bool TPrnStatusForm::RunPrint(TDocumentView& view, TPageCanvas& printer, double printScale,
                              int firstPage, int lastPage) {
  return Run(view, [&] { view.PrintPages(printer, printScale, firstPage, lastPage); });
}

bool TPrnStatusForm::Run(TDocumentView& view, const std::function<void()>& work) {
  cancel_ = false;
  auto previous = std::move(view.OnPageEvent);
  view.OnPageEvent = [this](int page, bool& stop) { ShowProgress(page, stop); };
  // The work starts once the window is up, so its button and keys are taken in between pages.
  QTimer::singleShot(0, this, [this, &work] {
    work();
    done(cancel_ ? QDialog::Rejected : QDialog::Accepted);
  });
  const int result = exec();
  view.OnPageEvent = std::move(previous);
  return result == QDialog::Rejected;
}

void TPrnStatusForm::ShowProgress(int page, bool& stop) {
  if (cancel_) {
    stop = true;
    return;
  }
  statusLabel_->setText(page == 0 ? Ui("Форматирование ...")
                                  : Ui("Номер страницы ") + QString::number(page));
  repaint();
}

void TPrnStatusForm::keyPressEvent(QKeyEvent* event) {
  cancel_ = true;
  event->accept();
}

}  // namespace shelf
