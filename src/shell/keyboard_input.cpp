#include "shell/keyboard_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPoint>
#include <QWidget>
#include <vector>

#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "shell/command_dispatcher.h"
#include "shell/pointer_input.h"

namespace shelf {

bool TKeyboardInput::KeyDown(int key, Qt::KeyboardModifiers modifiers, const RScreen& screen,
                             bool onReadingScreen, THtmlFrame* pages) {
  if (!pages || !onReadingScreen) return false;
  // Shift, Ctrl and Ctrl+Shift mean exactly those keys and no others.
  const Qt::KeyboardModifiers mods =
      modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const auto command = [&](const char* text) {
    dispatcher_.ExecuteCommand(text, "", true, TElementKind::Button, 0);
  };
  if (mods == Qt::ShiftModifier && key == Qt::Key_T) {
    command("tesaurus");  // the thesaurus at its first entry
  } else if (mods == Qt::ShiftModifier && key == Qt::Key_Z) {
    PressSwitches(screen, "tree1");
  } else if (mods == (Qt::ShiftModifier | Qt::ControlModifier) && key == Qt::Key_Z) {
    PressSwitches(screen, "offtree");
  } else if (mods == Qt::ShiftModifier && key == Qt::Key_Up) {
    command("prevchapter");
  } else if (mods == Qt::ShiftModifier && key == Qt::Key_Down) {
    command("nextchapter");
  } else if (mods == Qt::ShiftModifier && key == Qt::Key_Home) {
    command("1");
  } else if (mods == Qt::ControlModifier && key == Qt::Key_I) {
    command("addtofavorite");
  } else if (mods == Qt::ControlModifier && key == Qt::Key_P) {
    pages->PrintPage("");
  } else if (mods == Qt::ControlModifier && key == Qt::Key_F) {
    command("findnext");  // the drawn dialog's find page, when the book has the dialog
  } else if (mods == Qt::ControlModifier && key == Qt::Key_A) {
    pages->SelectAll();
  } else {
    return false;
  }
  return true;
}

void TKeyboardInput::PressSwitches(const RScreen& screen, const char* command) {
  // Collect first: a press may change the screen's lists.
  std::vector<QPoint> corners;
  for (const RSwthOne& s : screen.SwitchesOne)
    if (AsciiLower(s.CommandUp) == command || AsciiLower(s.CommandDown) == command)
      corners.emplace_back(s.Left + 1, s.Top + 1);
  for (const QPoint& corner : corners) pointer_.PointerDown(corner, true);
}

bool FocusTakesKey(const QKeyEvent& key) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus) return false;
  // The question Qt asks the control before any shortcut: a control that accepts the override
  // wants the key for itself.
  QKeyEvent probe(QEvent::ShortcutOverride, key.key(), key.modifiers(), key.text(),
                  key.isAutoRepeat(), static_cast<quint16>(key.count()));
  probe.ignore();
  QCoreApplication::sendEvent(focus, &probe);
  return probe.isAccepted();
}

}  // namespace shelf
