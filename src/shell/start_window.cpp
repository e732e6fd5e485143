#include "shell/start_window.h"

#include <QLabel>
#include <QVBoxLayout>

namespace shelf {

TStartWindow::TStartWindow(const std::vector<RListedBook>& books, QWidget* parent)
    : QWidget(parent), list_(new QListWidget(this)) {
  setWindowTitle("Shelf");
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(this);
  label->setWordWrap(true);
  label->setText(books.empty()
                     ? QString::fromUtf8("Книг не найдено. Вставьте диск с книгой или откройте "
                                         "папку книги или образ диска: shelf ПАПКА или "
                                         "shelf ОБРАЗ.iso")
                     : QString::fromUtf8("Выберите книгу:"));
  layout->addWidget(label);
  layout->addWidget(list_);
  for (const RListedBook& book : books) {
    const QString path = QString::fromStdString(book.Path.string());
    const QString title = book.Title.empty() ? QString::fromStdString(book.Path.filename().string())
                                             : QString::fromStdString(book.Title);
    auto* item = new QListWidgetItem(title + QString::fromUtf8(" — ") + path, list_);
    item->setData(Qt::UserRole, path);
  }
  list_->setVisible(!books.empty());
  if (!books.empty()) list_->setCurrentRow(0);
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit BookChosen(item->data(Qt::UserRole).toString()); });
  resize(560, 320);
}

}  // namespace shelf
