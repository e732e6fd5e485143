// The small window Shelf shows when it is started without a book and has no sample book: the
// books found on mounted media and opened before, each with its title; choosing one opens it.
#pragma once

#include <QListWidget>
#include <QWidget>
#include <vector>

#include "shell/book_discovery.h"

namespace shelf {

class TStartWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TStartWindow(const std::vector<RListedBook>& books, QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }

 signals:
  // The reader chose a book (double click or Enter); the path opens it.
  void BookChosen(const QString& path);

 private:
  QListWidget* list_;
};

}  // namespace shelf
