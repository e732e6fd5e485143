#include "print/wrap_tool_bar.h"

#include <QAction>
#include <QFrame>
#include <QLayout>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <vector>

namespace shelf {

namespace {

constexpr int kMargin = 2;
constexpr int kSpacing = 1;

// Lays its widgets out left to right and starts a new row where the next one does not fit;
// each row's widgets are centred on it and separators take its height.
class TFlowLayout : public QLayout {
 public:
  explicit TFlowLayout(QWidget* parent) : QLayout(parent) {
    setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  }
  ~TFlowLayout() override {
    while (QLayoutItem* item = takeAt(0)) delete item;
  }
  void addItem(QLayoutItem* item) override { items_.push_back(item); }
  int count() const override { return int(items_.size()); }
  QLayoutItem* itemAt(int index) const override {
    return index >= 0 && index < count() ? items_[index] : nullptr;
  }
  QLayoutItem* takeAt(int index) override {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = items_[index];
    items_.erase(items_.begin() + index);
    return item;
  }
  Qt::Orientations expandingDirections() const override { return {}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override { return Arrange(QRect(0, 0, width, 0), false); }
  void setGeometry(const QRect& rect) override {
    QLayout::setGeometry(rect);
    Arrange(rect, true);
  }
  QSize sizeHint() const override { return minimumSize(); }
  QSize minimumSize() const override {
    QSize size;
    for (const QLayoutItem* item : items_) size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
  }
  // Rows at `width`.
  int RowCount(int width) const {
    int rows = 0;
    Arrange(QRect(0, 0, width, 0), false, &rows);
    return rows;
  }

 private:
  static bool IsSeparator(const QLayoutItem* item) {
    return item->widget() && qobject_cast<QFrame*>(item->widget());
  }
  // Places the items (when `place`) and returns the height they need.
  int Arrange(const QRect& rect, bool place, int* rowCount = nullptr) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    int y = area.y(), rows = 0;
    std::size_t next = 0;
    std::vector<QLayoutItem*> visible;
    for (QLayoutItem* item : items_)
      if (!item->isEmpty()) visible.push_back(item);
    while (next < visible.size()) {
      std::size_t end = next;
      int width = 0, height = 0;
      while (end < visible.size()) {
        const QSize hint = visible[end]->sizeHint();
        const int grown = width + (end > next ? kSpacing : 0) + hint.width();
        if (end > next && grown > area.width()) break;
        width = grown;
        if (!IsSeparator(visible[end])) height = std::max(height, hint.height());
        ++end;
      }
      if (place) {
        int x = area.x();
        for (std::size_t i = next; i < end; ++i) {
          const QSize hint = visible[i]->sizeHint();
          const QSize size(hint.width(), IsSeparator(visible[i]) ? height : hint.height());
          visible[i]->setGeometry(QRect(QPoint(x, y + (height - size.height()) / 2), size));
          x += size.width() + kSpacing;
        }
      }
      y += height + kSpacing;
      ++rows;
      next = end;
    }
    if (rowCount) *rowCount = rows;
    const QMargins m = contentsMargins();
    return y - kSpacing - area.y() + m.top() + m.bottom();
  }

  std::vector<QLayoutItem*> items_;
};

TFlowLayout& Flow(const QWidget& bar) {
  return *static_cast<TFlowLayout*>(bar.layout());
}

}  // namespace

TWrapToolBar::TWrapToolBar(QWidget* parent) : QWidget(parent) {
  new TFlowLayout(this);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QAction* TWrapToolBar::AddAction(const QIcon& icon, const QString& caption) {
  auto* action = new QAction(icon, caption, this);
  auto* button = new QToolButton(this);
  button->setAutoRaise(true);
  button->setDefaultAction(action);
  button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const int side = style()->pixelMetric(QStyle::PM_ToolBarIconSize, nullptr, this);
  button->setIconSize(QSize(side, side));
  layout()->addWidget(button);
  return action;
}

void TWrapToolBar::AddWidget(QWidget* widget) {
  widget->setParent(this);
  layout()->addWidget(widget);
}

void TWrapToolBar::AddSeparator() {
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setFixedWidth(8);
  layout()->addWidget(line);
}

void TWrapToolBar::SetToolButtonStyle(Qt::ToolButtonStyle style) {
  for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
    button->setToolButtonStyle(style);
  layout()->invalidate();
  updateGeometry();
}

QToolButton* TWrapToolBar::ButtonOf(const QAction* action) const {
  for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
    if (button->defaultAction() == action) return button;
  return nullptr;
}

int TWrapToolBar::Rows() const {
  return Flow(*this).RowCount(width());
}

}  // namespace shelf
