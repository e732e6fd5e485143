// One drawn popup: a background picture with a column of picture items, opened at a point
// without taking the keyboard from the main window, and closed by a choice, a press or a key.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QRegion>
#include <QVariantAnimation>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "book/element_records.h"
#include "pages/html_favorite.h"
#include "popup/items_btn.h"

namespace shelf {

class TBookStore;

class TPopupWindow : public QWidget, public TFavoriteItems {
 public:
  static constexpr int kSlideMs = 100;
  static constexpr int kSlidePauseMs = 250;

  // `record` stays owned by the description; the background picture is read at once.
  TPopupWindow(const RPopupData& record, const TBookStore& store, const std::string& programDir);
  ~TPopupWindow() override;

  void SetItemCount(int count);
  void AddItem(const std::string& caption, const std::string& command) override;
  void SetItem(int index, const std::string& caption, const std::string& command) override;
  void ShowItem(int index, bool shown);
  void Arrange();
  // Opens at `point` (screen coordinates) or at the record's own place, kept inside the
  // desktop. `slide`: the reading screen lets the popup slide in; `outline`: screen 0 gives it
  // its polygon. `window` maps the record's place into the screen.
  void ShowAt(QPoint point, const QWidget& window, bool slide, bool outline);
  void Close();
  void ExecuteItem(int index);
  void RemoveItem(int index);

  int Kind() const { return record_.Kind; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  const TItemsBtn& Item(int index) const { return *items_[index]; }
  bool HasShownItem() const;
  bool DeleteMode = false;
  bool Sliding() const { return slide_.state() == QAbstractAnimation::Running; }

  // The favorites of a favorites popup (null for other kinds).
  std::unique_ptr<THtmlFavorite> Favorites;
  // Runs a chosen item's command (the popup is already closed).
  std::function<void(const std::string& command)> OnItemCommand;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  std::unique_ptr<TItemsBtn> NewItem(int position);
  int ItemAt(QPoint at) const;
  void ApplyMask(int revealed, bool downwards);

  const RPopupData& record_;
  const TBookStore& store_;
  QImage background_;
  std::vector<std::unique_ptr<TItemsBtn>> items_;
  int itemLeft_, itemTop_;
  QRegion outline_;  // the polygon on screen 0; empty elsewhere
  QVariantAnimation slide_;
  QElapsedTimer lastShown_;
};

}  // namespace shelf
