// One window per book at start-up: a copy that is still closing is waited for a few seconds,
// and the window of a copy that has the book open comes to the front instead.
#pragma once

#include <memory>
#include <string>

class QWidget;

namespace shelf {

class TInstanceLock;

// The book's lock for the copy whose window is `window`; null when another copy has the book
// (its window was brought forward, or it did not let go in time), and this copy should end.
std::unique_ptr<TInstanceLock> TakeBookLock(const std::string& title, QWidget& window);

}  // namespace shelf
