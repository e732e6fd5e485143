// Runs a step once a window has painted for the first time: what can wait (music, film, the
// start-up benchmark's "painted" line) comes after the reader sees the window.
#pragma once

#include <functional>

class QWidget;

namespace shelf {

// Calls `then` once, after the first paint of `window` has been handled; never if the window
// goes first.
void AfterFirstPaint(QWidget& window, std::function<void()> then);

}  // namespace shelf
