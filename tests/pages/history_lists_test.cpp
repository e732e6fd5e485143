#include "pages/history_lists.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"

namespace shelf {
namespace {

std::vector<std::string> Titles(int count) {
  std::vector<std::string> titles;
  for (int i = 0; i < count; ++i) titles.push_back("p" + std::to_string(i));
  return titles;
}

// The commands of the shown slots, top to bottom.
std::vector<std::string> Shown(const THistorySlots& list) {
  std::vector<std::string> shown;
  for (const auto& slot : list)
    if (slot.Shown) shown.push_back(slot.Command);
  return shown;
}

TEST(HistoryLists, BothListsShowTheNearestPageFirst) {
  // Twelve pages behind the current one: the back list shows the nearest eight.
  EXPECT_EQ(Shown(BackListSlots(Titles(13), 0)),
            (std::vector<std::string>{"history=1", "history=2", "history=3", "history=4",
                                      "history=5", "history=6", "history=7", "history=8"}));
  EXPECT_TRUE(Shown(ForwardListSlots(Titles(13), 0)).empty());  // at index 0 nothing is ahead

  const THistorySlots forward = ForwardListSlots(Titles(5), 3);
  EXPECT_EQ(Shown(forward), (std::vector<std::string>{"history=2", "history=1", "history=0"}));
  EXPECT_FALSE(forward[4].Shown);
  EXPECT_TRUE(forward[5].Shown);  // filled from the bottom slot up
  EXPECT_EQ(forward[7].Command, "history=0");
  EXPECT_EQ(Shown(BackListSlots(Titles(5), 3)), (std::vector<std::string>{"history=4"}));
}

TEST(HistoryLists, CaptionsAreCutAndUntitledPagesNamed) {
  const std::vector<std::string> titles = {"now", std::string(100, 'x'), ""};
  const THistorySlots back = BackListSlots(titles, 0);
  EXPECT_EQ(back[0].Caption, std::string(80, 'x'));
  EXPECT_EQ(back[1].Caption, *Utf8ToCp1251("Без названия"));
}

}  // namespace
}  // namespace shelf
