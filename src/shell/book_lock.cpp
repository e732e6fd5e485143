#include "shell/book_lock.h"

#include <chrono>
#include <iostream>
#include <optional>

#include "platform/cp1251.h"
#include "platform/instance_lock.h"
#include "platform/window_bus.h"

namespace shelf {
namespace {

// How long a new copy waits for one that is closing (its sounds end within seconds).
constexpr std::chrono::milliseconds kBookLockPatience(8000);

}  // namespace

std::unique_ptr<TInstanceLock> TakeBookLock(const std::string& title, QWidget& window) {
  auto lock = std::make_unique<TInstanceLock>(title);
  // A copy whose window still shows has the book open for real: no use waiting for it.
  std::optional<TWindowId> shown;
  if (lock->AcquireWithin(kBookLockPatience, [&] {
        shown = TWindowBus::FindVisibleWindow(title);
        return shown.has_value();
      }))
    return lock;
  if (shown) {
    TWindowBus(window).BringToFront(*shown);
    std::cerr << "shelf: \"" << Cp1251ToUtf8(title) << "\" is open: its window comes forward\n";
  } else {
    std::cerr << "shelf: \"" << Cp1251ToUtf8(title) << "\" is still held by another copy\n";
  }
  return nullptr;
}

}  // namespace shelf
