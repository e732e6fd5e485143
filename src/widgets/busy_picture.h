// The busy picture of the book window: the book's animated picture at a fixed place, running on
// the screens that show it. A book without the picture has none to run.
#pragma once

#include <QLabel>
#include <string>

class QMovie;

namespace shelf {

class TBookStore;

class TBusyPicture : public QLabel {
 public:
  // `file`: the animated GIF (DOS path) read from the book; a child of `window` at `at`.
  TBusyPicture(QWidget* window, const TBookStore& store, const std::string& file, QPoint at);

  bool HasMovie() const { return movie_ != nullptr; }
  // Shown and running, or hidden and stopped; without the picture nothing changes.
  void SetRunning(bool running);

 private:
  QMovie* movie_ = nullptr;
};

}  // namespace shelf
