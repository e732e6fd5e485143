#include "widgets/path_input_box.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMouseEvent>

#include "platform/cp1251.h"
#include "platform/registry.h"

namespace shelf {
namespace {

std::string ValueName(std::size_t index) {
  return "PathInstall" + std::to_string(index);
}

// The box's font fills `height` pixels from the top of its ascent to the bottom of its descent.
QFont FontOfHeight(QFont font, int height) {
  int size = std::max(height, 1);
  font.setPixelSize(size);
  while (size > 1 && QFontMetrics(font).height() > height) font.setPixelSize(--size);
  return font;
}

}  // namespace

TPathInputBox::TPathInputBox(QWidget& owner, const TDynamicPathInputArray& inputs,
                             std::string settingsKey, int currentScreen, THostFolderNames names)
    : owner_(owner), settingsKey_(std::move(settingsKey)), names_(std::move(names)) {
  if (inputs.empty()) return;
  TRegistry settings;
  settings.OpenKey(settingsKey_, true);
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const RPathInput& r = inputs[i];
    auto* edit = new QLineEdit(&owner);
    edit->hide();
    edit->setFrame(false);
    edit->setToolTip(ToQString(r.Hint));
    edit->setFont(FontOfHeight(edit->font(), (r.Bottom - r.Top) - 1));
    edit->setGeometry(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    const std::string stored = settings.ReadString(ValueName(i)).value_or("");
    edit->setText(names_.Shown(stored.empty() ? r.DefaultPath : stored));
    edit->setMouseTracking(true);
    edit->installEventFilter(this);
    edits_.emplace_back(edit);
    screens_.push_back(r.Screen);
  }
  settings.CloseKey();
  ShowForScreen(currentScreen);
}

TPathInputBox::~TPathInputBox() {
  if (edits_.empty()) return;
  TRegistry settings;
  settings.OpenKey(settingsKey_, true);
  for (std::size_t i = 0; i < edits_.size(); ++i)
    if (edits_[i]) settings.WriteString(ValueName(i), FromQString(edits_[i]->text()));
  settings.CloseKey();
  for (const QPointer<QLineEdit>& edit : edits_) delete edit.data();
}

QLineEdit* TPathInputBox::Edit(std::size_t i) const {
  return edits_[i];
}

void TPathInputBox::ShowForScreen(int currentScreen) {
  for (std::size_t i = 0; i < edits_.size(); ++i) {
    if (!edits_[i]) continue;
    if (screens_[i] == currentScreen)
      edits_[i]->show();
    else if (screens_[i] == lastScreen_ && lastScreen_ != currentScreen)
      edits_[i]->hide();
  }
  lastScreen_ = currentScreen;
}

void TPathInputBox::SetHidden(bool hidden, int currentScreen) {
  for (std::size_t i = 0; i < edits_.size(); ++i)
    if (edits_[i] && screens_[i] == currentScreen) edits_[i]->setVisible(!hidden);
}

QLineEdit* TPathInputBox::FirstBox(int currentScreen) const {
  for (std::size_t i = 0; i < edits_.size(); ++i)
    if (edits_[i] && screens_[i] == currentScreen) return edits_[i];
  return nullptr;
}

std::optional<std::filesystem::path> TPathInputBox::CurrentFolder(int currentScreen) const {
  const QLineEdit* box = FirstBox(currentScreen);
  return box ? names_.Folder(box->text()) : std::nullopt;
}

bool TPathInputBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    const auto* move = static_cast<QMouseEvent*>(event);
    const QPointF outside(-1, -1);
    QMouseEvent forwarded(QEvent::MouseMove, outside, owner_.mapToGlobal(outside), Qt::NoButton,
                          move->buttons(), move->modifiers());
    QCoreApplication::sendEvent(&owner_, &forwarded);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace shelf
