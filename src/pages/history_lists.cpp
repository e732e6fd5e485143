#include "pages/history_lists.h"

#include "platform/cp1251.h"

namespace shelf {
namespace {

constexpr std::size_t kCaptionMax = 80;

THistorySlot Slot(const std::vector<std::string>& titles, int i) {
  const std::string& title = titles[i];
  return {true, title.empty() ? *Utf8ToCp1251("Без названия") : title.substr(0, kCaptionMax),
          "history=" + std::to_string(i)};
}

}  // namespace

THistorySlots BackListSlots(const std::vector<std::string>& titles, int current) {
  THistorySlots list;
  int k = 0;
  for (int i = 0; i < static_cast<int>(titles.size()); ++i)
    if (i > current && i <= current + kHistorySlots) list[k++] = Slot(titles, i);
  return list;
}

THistorySlots ForwardListSlots(const std::vector<std::string>& titles, int current) {
  THistorySlots list;
  int k = 0;
  for (int i = 0; i < static_cast<int>(titles.size()); ++i)
    if (i >= current - kHistorySlots && i < current)
      list[kHistorySlots - 1 - k++] = Slot(titles, i);
  return list;
}

}  // namespace shelf
