// The two history lists of the page on show: up to eight pages further back and eight further
// forward, nearest first, each with its title and the "history=" command that goes there.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace shelf {

inline constexpr int kHistorySlots = 8;

struct THistorySlot {
  bool Shown = false;
  std::string Caption;  // the title cut to 80 bytes, or "Без названия"
  std::string Command;  // "history=" + the history index
};
using THistorySlots = std::array<THistorySlot, kHistorySlots>;

// `titles` in history order (index 0 newest), `current` the entry on show. The back list fills
// slots from the top; the forward list fills them from the bottom, the nearest page in slot 7.
THistorySlots BackListSlots(const std::vector<std::string>& titles, int current);
THistorySlots ForwardListSlots(const std::vector<std::string>& titles, int current);

}  // namespace shelf
