// A toolbar that wraps its buttons onto further rows when the window is too narrow for one row,
// so every button stays in reach (no overflow button hides the ones at the end).
#pragma once

#include <QWidget>

class QAction;
class QToolButton;

namespace shelf {

class TWrapToolBar : public QWidget {
 public:
  explicit TWrapToolBar(QWidget* parent = nullptr);

  // A button for a new action (owned by the bar) with this picture and caption.
  QAction* AddAction(const QIcon& icon, const QString& caption);
  void AddWidget(QWidget* widget);
  void AddSeparator();
  // Pictures only, or pictures with captions under them.
  void SetToolButtonStyle(Qt::ToolButtonStyle style);
  QToolButton* ButtonOf(const QAction* action) const;
  // How many rows the buttons take at the bar's width.
  int Rows() const;
};

}  // namespace shelf
