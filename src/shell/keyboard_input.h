// The keys of the book window's reading screen: the thesaurus (Shift+T), chapters
// (Shift+Up/Down), the first screen (Shift+Home), a bookmark (Ctrl+I), select all (Ctrl+A), the
// find page (Ctrl+F), and the tree switches pressed by Shift+Z / Ctrl+Shift+Z.
#pragma once

#include <Qt>

class QKeyEvent;

namespace shelf {

class TCommandDispatcher;
class TPointerInput;
class THtmlFrame;
struct RScreen;

class TKeyboardInput {
 public:
  TKeyboardInput(TPointerInput& pointer, TCommandDispatcher& dispatcher)
      : pointer_(pointer), dispatcher_(dispatcher) {}

  // True when the key was one of the window's. The keys act only where pages are read: on the
  // reading screen (or in a window that is not the book shell) of a book with page areas.
  bool KeyDown(int key, Qt::KeyboardModifiers modifiers, const RScreen& screen,
               bool onReadingScreen, THtmlFrame* pages);

 private:
  // A Shift-click on each switch that carries `command`: its state flips, nothing runs.
  void PressSwitches(const RScreen& screen, const char* command);

  TPointerInput& pointer_;
  TCommandDispatcher& dispatcher_;
};

// Whether the control that has the keyboard takes `key` as its own: typing, and a text box's
// editing keys (Ctrl+A, Home, Shift+Home...). Such keys go to it before the window's.
bool FocusTakesKey(const QKeyEvent& key);

}  // namespace shelf
