#include "print/go_page_form.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/cp1251.h"

namespace shelf {

namespace {
QString Ui(const char* utf8) {
  return ToQString(Utf8ToCp1251Lossy(utf8));
}
}  // namespace

TGoPageForm::TGoPageForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Ui("Переход на страницу"));
  auto* layout = new QVBoxLayout(this);
  pageNum_ = new QSpinBox(this);
  pageNum_->setMinimum(1);
  pageNum_->installEventFilter(this);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(Ui("Отмена"), this);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addWidget(pageNum_);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TGoPageForm::SetRange(int highest, int preset) {
  pageNum_->setMaximum(std::max(1, highest));
  pageNum_->setValue(preset);
  pageNum_->setFocus();
  pageNum_->selectAll();
}

int TGoPageForm::PageNum() const {
  return pageNum_->value();
}

bool TGoPageForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pageNum_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      accept();
      return true;
    }
    if (key == Qt::Key_Escape) {
      reject();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace shelf
