// The plain window's toolbar (back and forward with their history menus, print, back to the
// drawn window), its status bar, and the three picture sets the buttons are drawn with.
#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "shell/plain_window_layout.h"

class QAction;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class QWidget;

namespace shelf {

class TPlainToolBar : public QObject {
 public:
  // Tool buttons by index, left to right.
  enum TButton { kBack = 0, kForward = 1, kDivider = 2, kPrint = 3, kLeave = 4, kButtons = 5 };

  // Made on `window`, hidden; `canLeave`: there is a drawn window to go back to.
  TPlainToolBar(QWidget& window, bool canLeave);
  ~TPlainToolBar() override;

  // The toolbar and the status bar appear or go; buttons 0, 1 and 2 and the status bar stay
  // hidden whenever the toolbar is shown again.
  void SetShown(bool shown);
  // The back and forward menus; `canBack` and `canForward` enable their buttons.
  void ShowHistory(const THistoryMenus& menus, bool canBack, bool canForward);
  // The rectangle of `window` left for the page below the toolbar and above the status bar.
  QRect ClientArea() const;

  QToolBar* ToolBar() const { return toolBar_; }
  QStatusBar* StatusBar() const { return statusBar_; }
  QAction* Button(TButton index) const { return buttons_[index]; }
  QMenu* BackMenu() const { return backMenu_; }
  QMenu* ForwardMenu() const { return forwardMenu_; }

  std::function<void()> OnBack, OnForward, OnPrint, OnLeave;
  // A menu item was chosen: go to history entry `index`.
  std::function<void(int index)> OnHistoryIndex;

 private:
  void FillMenu(QMenu& menu, const std::array<THistoryMenuItem, THistoryMenus::kItems>& items);

  QWidget& window_;
  QToolBar* toolBar_;
  QStatusBar* statusBar_;
  QMenu* backMenu_;
  QMenu* forwardMenu_;
  std::array<QAction*, kButtons> buttons_{};
  bool canLeave_;
};

}  // namespace shelf
