#include "popup/popup_window.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QScreen>
#include <QToolTip>

#include "platform/cp1251.h"
#include "store/book_text.h"
#include "widgets/book_picture.h"

namespace shelf {
namespace {

constexpr int kDefaultMargin = 5;

// "x,y": the integer before and the integer after the first ','.
QPoint Vertex(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return {ValueInt(text, 1), -1};
  return {ValueInt(text.substr(0, comma), 1), ValueInt(text, comma + 2)};
}

}  // namespace

TPopupWindow::TPopupWindow(const RPopupData& record, const TBookStore& store,
                           const std::string& programDir)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      record_(record),
      store_(store),
      itemLeft_(record.ButtonLeft),
      itemTop_(record.ButtonTop) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  const QImage picture = LoadBookPicture(store_, programDir + record.BackPicture);
  if (!picture.isNull()) {
    background_ = picture.convertToFormat(QImage::Format_RGB32);
    resize(background_.size());
  }
  slide_.setDuration(kSlideMs);
  connect(&slide_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
    ApplyMask(value.toInt(), slide_.property("down").toBool());
  });
  connect(&slide_, &QVariantAnimation::finished, this, [this] { ApplyMask(height(), true); });
}

TPopupWindow::~TPopupWindow() {
  Favorites.reset();  // saves the favorites while the items still exist
}

std::unique_ptr<TItemsBtn> TPopupWindow::NewItem(int position) {
  auto item = std::make_unique<TItemsBtn>();
  item->Setup(record_, position);
  item->LoadPictures(store_);
  return item;
}

void TPopupWindow::SetItemCount(int count) {
  items_.resize(std::max(count, 0));
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    if (!items_[i]) items_[i] = std::make_unique<TItemsBtn>();
    items_[i]->Setup(record_, i);
    items_[i]->LoadPictures(store_);
    ShowItem(i, false);
  }
  Arrange();
}

void TPopupWindow::AddItem(const std::string& caption, const std::string& command) {
  items_.push_back(NewItem(static_cast<int>(items_.size())));
  items_.back()->Command = command;
  items_.back()->SetItemCaption(store_, caption);
  ShowItem(static_cast<int>(items_.size()) - 1, true);
}

void TPopupWindow::SetItem(int index, const std::string& caption, const std::string& command) {
  if (index < 0 || index >= ItemCount()) return;
  items_[index]->SetItemCaption(store_, caption);
  items_[index]->Command = command;
  update();
}

void TPopupWindow::ShowItem(int index, bool shown) {
  if (index < 0 || index >= ItemCount()) return;
  TItemsBtn& item = *items_[index];
  if (item.Shown == shown) return;
  item.Shown = shown;
  if (!shown) item.Placed = item.Hovered = item.Pressed = false;
  Arrange();
}

bool TPopupWindow::HasShownItem() const {
  for (const auto& item : items_)
    if (item->Shown) return true;
  return false;
}

void TPopupWindow::Arrange() {
  const int margin = itemTop_ == -1 ? kDefaultMargin : itemTop_;
  bool unplace = false;
  for (auto& item : items_) {
    unplace = unplace || !item->Shown || !item->Placed;
    if (unplace) item->Placed = false;
  }
  int total = 0;
  const TItemsBtn* last = nullptr;
  for (auto& item : items_) {
    if (item->Placed) {
      total += item->Bounds.height();
      last = item.get();
      continue;
    }
    if (!item->Shown) continue;
    const int left = itemLeft_ == -1 ? (width() - item->Bounds.width()) / 2 : itemLeft_;
    const int top = last ? last->Bounds.top() + last->Bounds.height() : margin;
    item->Bounds.moveTo(left, top);
    item->Placed = true;
    total += item->Bounds.height();
    last = item.get();
  }
  if (record_.Vertices.size() <= 1 && !background_.isNull()) {
    // The background grows or shrinks to the items, keeping its top and bottom margin rows.
    const int oldHeight = background_.height();
    const int newHeight = std::max(total + 2 * margin, 2 * margin);
    if (newHeight != oldHeight && oldHeight > margin) {
      QImage resized(background_.width(), newHeight, background_.format());
      const int keepTop = std::min(oldHeight - margin, newHeight - margin);
      const int rowBytes = static_cast<int>(background_.bytesPerLine());
      for (int y = 0; y < keepTop; ++y)
        memcpy(resized.scanLine(y), background_.constScanLine(y), rowBytes);
      for (int y = keepTop; y < newHeight - margin; ++y)
        memcpy(resized.scanLine(y), background_.constScanLine(oldHeight / 2), rowBytes);
      for (int y = 0; y < margin; ++y)
        memcpy(resized.scanLine(newHeight - margin + y),
               background_.constScanLine(oldHeight - margin + y), rowBytes);
      background_ = std::move(resized);
    }
    resize(background_.width(), newHeight);
  }
  update();
}

void TPopupWindow::ShowAt(QPoint point, const QWidget& window, bool slide, bool outline) {
  if (record_.BackLeft != -1) point.setX(window.mapToGlobal(QPoint(record_.BackLeft, 0)).x());
  if (record_.BackTop != -1) point.setY(window.mapToGlobal(QPoint(0, record_.BackTop)).y());
  const QScreen* screen = QGuiApplication::screenAt(point);
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect desktop = screen ? screen->availableVirtualGeometry() : QRect();
  if (desktop.isValid()) {
    if (point.y() + height() > desktop.bottom() + 1) point.setY(desktop.bottom() + 1 - height());
    if (point.x() + width() > desktop.right() + 1) point.setX(desktop.right() + 1 - width());
    point.setX(std::max(point.x(), desktop.left()));
    point.setY(std::max(point.y(), desktop.top()));
  }
  move(point);
  QToolTip::hideText();  // a control's hint never covers the list's items

  outline_ = QRegion();
  if (outline && record_.Vertices.size() > 1) {
    QPolygon polygon;
    for (const std::string& vertex : record_.Vertices) polygon << Vertex(vertex);
    outline_ = QRegion(polygon, Qt::WindingFill);
  }
  const bool slides = slide && (!lastShown_.isValid() || lastShown_.elapsed() > kSlidePauseMs);
  slide_.stop();
  if (slides) {
    slide_.setProperty("down", QCursor::pos().y() <= point.y());
    slide_.setStartValue(0);
    slide_.setEndValue(height());
    ApplyMask(0, true);
    slide_.start();
  } else {
    ApplyMask(height(), true);
  }
  show();
  update();
  lastShown_.start();
}

void TPopupWindow::ApplyMask(int revealed, bool downwards) {
  QRegion visible = downwards ? QRegion(0, 0, width(), revealed)
                              : QRegion(0, height() - revealed, width(), revealed);
  if (!outline_.isEmpty()) visible &= outline_;
  if (revealed >= height() && outline_.isEmpty()) {
    clearMask();
    return;
  }
  setMask(visible.isEmpty() ? QRegion(-1, -1, 1, 1) : visible);
}

void TPopupWindow::Close() {
  for (auto& item : items_) item->Hovered = item->Pressed = false;
  DeleteMode = false;
  slide_.stop();
  hide();
}

void TPopupWindow::ExecuteItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  if (DeleteMode) {
    RemoveItem(index);
    if (Favorites) Favorites->DeleteFavorite(index);
    return;
  }
  const std::string command = items_[index]->Command;
  Close();
  QCoreApplication::processEvents();
  if (OnItemCommand) OnItemCommand(command);
}

void TPopupWindow::RemoveItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  items_.erase(items_.begin() + index);
  // The items after it take the places (and pictures) of the ones before them.
  for (int i = index; i < ItemCount(); ++i) items_[i]->Placed = false;
  Arrange();
  if (items_.empty()) Close();
}

int TPopupWindow::ItemAt(QPoint at) const {
  for (int i = 0; i < ItemCount(); ++i) {
    const QRect& b = items_[i]->Bounds;
    if (items_[i]->Shown && at.x() > b.left() && at.x() < b.left() + b.width() &&
        at.y() > b.top() && at.y() < b.top() + b.height())
      return i;
  }
  return -1;
}

void TPopupWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull())
    painter.fillRect(rect(), Qt::white);
  else
    painter.drawImage(0, 0, background_);
  for (const auto& item : items_)
    if (item->Shown && item->Placed) painter.drawImage(item->Bounds.topLeft(), item->Picture());
}

void TPopupWindow::mouseMoveEvent(QMouseEvent* event) {
  const int over = ItemAt(event->position().toPoint());
  for (int i = 0; i < ItemCount(); ++i) {
    TItemsBtn& item = *items_[i];
    if (i == over && !item.Hovered) {
      item.Hovered = true;
      update(item.Bounds);
    } else if (i != over && item.Hovered) {
      item.Hovered = item.Pressed = false;
      update(item.Bounds);
    }
  }
}

void TPopupWindow::leaveEvent(QEvent*) {
  for (auto& item : items_)
    if (item->Hovered) {
      item->Hovered = item->Pressed = false;
      update(item->Bounds);
    }
}

void TPopupWindow::mousePressEvent(QMouseEvent* event) {
  const int index = ItemAt(event->position().toPoint());
  if (index < 0 || items_[index]->Pressed) return;
  items_[index]->Pressed = true;
  repaint(items_[index]->Bounds);
  ExecuteItem(index);
}

bool TPopupWindow::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int index = ItemAt(help->pos());
    if (index >= 0 && !items_[index]->Hint().empty())
      QToolTip::showText(help->globalPos(), ToQString(items_[index]->Hint()), this);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

}  // namespace shelf
