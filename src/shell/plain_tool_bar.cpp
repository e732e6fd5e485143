#include "shell/plain_tool_bar.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include "platform/cp1251.h"

namespace shelf {

namespace {

constexpr int kPictureSize = 20;
constexpr int kDividerWidth = 10;

enum class TPicture { Back, Forward, Print, Leave };

// One 20 x 20 picture in `color`: the normal, disabled and pointer-over sets differ in colour.
QPixmap DrawPicture(TPicture picture, QColor color) {
  QPixmap pixmap(kPictureSize, kPictureSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color.darker(140), 1));
  p.setBrush(color);
  switch (picture) {
    case TPicture::Back:
    case TPicture::Forward: {
      QPainterPath arrow;
      arrow.moveTo(3, 10);
      arrow.lineTo(10, 3);
      arrow.lineTo(10, 7);
      arrow.lineTo(17, 7);
      arrow.lineTo(17, 13);
      arrow.lineTo(10, 13);
      arrow.lineTo(10, 17);
      arrow.closeSubpath();
      if (picture == TPicture::Forward) arrow = QTransform(-1, 0, 0, 1, kPictureSize, 0).map(arrow);
      p.drawPath(arrow);
      break;
    }
    case TPicture::Print:
      p.setBrush(Qt::white);
      p.drawRect(6, 2, 8, 7);
      p.setBrush(color);
      p.drawRoundedRect(2, 8, 16, 7, 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(5, 13, 10, 5);
      break;
    case TPicture::Leave:
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(2, 3, 16, 14, 6, 6);
      p.setBrush(color);
      p.drawEllipse(QPointF(10, 10), 3.5, 3.5);
      break;
  }
  return pixmap;
}

// The picture with its three looks: normal, disabled and under the pointer.
QIcon PictureSet(TPicture picture) {
  QIcon icon;
  icon.addPixmap(DrawPicture(picture, QColor(40, 90, 160)), QIcon::Normal);
  icon.addPixmap(DrawPicture(picture, QColor(160, 160, 160)), QIcon::Disabled);
  icon.addPixmap(DrawPicture(picture, QColor(20, 140, 220)), QIcon::Active);
  return icon;
}

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

TPlainToolBar::TPlainToolBar(QWidget& window, bool canLeave)
    : window_(window),
      toolBar_(new QToolBar(&window)),
      statusBar_(new QStatusBar(&window)),
      backMenu_(new QMenu(Text("Назад"), &window)),
      forwardMenu_(new QMenu(Text("Вперед"), &window)),
      canLeave_(canLeave) {
  toolBar_->setIconSize(QSize(kPictureSize, kPictureSize));
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  for (int i = 0; i < THistoryMenus::kItems; ++i) {
    for (QMenu* menu : {backMenu_, forwardMenu_}) {
      QAction* item = menu->addAction(QString());
      connect(item, &QAction::triggered, this, [this, item] {
        if (OnHistoryIndex) OnHistoryIndex(item->data().toInt());
      });
    }
  }
  const auto add = [this](TPicture picture, const char* caption, const char* hint) {
    QAction* action = toolBar_->addAction(PictureSet(picture), Text(caption));
    action->setToolTip(Text(hint));
    return action;
  };
  buttons_[kBack] = add(TPicture::Back, "Назад", "Перемещение назад на одну ссылку");
  buttons_[kBack]->setMenu(backMenu_);
  buttons_[kForward] = add(TPicture::Forward, "Вперед", "Перемещение вперед на одну ссылку");
  buttons_[kForward]->setMenu(forwardMenu_);
  auto* divider = new QWidget(toolBar_);
  divider->setFixedWidth(kDividerWidth);
  buttons_[kDivider] = toolBar_->addWidget(divider);
  buttons_[kPrint] = add(TPicture::Print, "Печать", "Напечатать текущий файл");
  buttons_[kLeave] = add(TPicture::Leave, "Свернуть", "Вернуться к красивому окошку");
  for (TButton drop : {kBack, kForward})
    if (auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(buttons_[drop])))
      button->setPopupMode(QToolButton::MenuButtonPopup);
  connect(buttons_[kBack], &QAction::triggered, this, [this] {
    if (OnBack) OnBack();
  });
  connect(buttons_[kForward], &QAction::triggered, this, [this] {
    if (OnForward) OnForward();
  });
  connect(buttons_[kPrint], &QAction::triggered, this, [this] {
    if (OnPrint) OnPrint();
  });
  connect(buttons_[kLeave], &QAction::triggered, this, [this] {
    if (OnLeave) OnLeave();
  });
  statusBar_->setSizeGripEnabled(false);
  toolBar_->hide();
  statusBar_->hide();
}

TPlainToolBar::~TPlainToolBar() = default;

void TPlainToolBar::SetShown(bool shown) {
  for (TButton hidden : {kBack, kForward, kDivider}) buttons_[hidden]->setVisible(false);
  buttons_[kLeave]->setVisible(canLeave_);
  statusBar_->hide();
  toolBar_->setVisible(shown);
  if (!shown) return;
  toolBar_->setGeometry(0, 0, window_.width(), toolBar_->sizeHint().height());
  toolBar_->raise();
}

void TPlainToolBar::FillMenu(QMenu& menu,
                             const std::array<THistoryMenuItem, THistoryMenus::kItems>& items) {
  const QList<QAction*> actions = menu.actions();
  for (int i = 0; i < THistoryMenus::kItems; ++i) {
    actions[i]->setVisible(items[i].Visible);
    actions[i]->setData(items[i].Number);
    actions[i]->setText(ToQString(items[i].Caption));
  }
}

void TPlainToolBar::ShowHistory(const THistoryMenus& menus, bool canBack, bool canForward) {
  buttons_[kBack]->setEnabled(canBack);
  buttons_[kForward]->setEnabled(canForward);
  FillMenu(*backMenu_, menus.Back);
  FillMenu(*forwardMenu_, menus.Forward);
}

QRect TPlainToolBar::ClientArea() const {
  QRect area = window_.rect();
  if (toolBar_->isVisible()) area.setTop(toolBar_->geometry().bottom() + 1);
  if (statusBar_->isVisible()) area.setBottom(statusBar_->geometry().top() - 1);
  return area;
}

}  // namespace shelf
