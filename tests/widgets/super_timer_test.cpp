#include "widgets/super_timer.h"

#include <gtest/gtest.h>

#include <QTest>
#include <stdexcept>

namespace shelf {
namespace {

TEST(SuperTimer, DisablingInsideATickStopsAndEnablingRestartsTheCount) {
  TSuperTimer timer;
  timer.SetInterval(1);
  std::vector<int> seen;
  timer.OnTimer = [&](TSuperTimer& t) {
    seen.push_back(t.TickCount());
    if (t.TickCount() == 3) t.SetEnabled(false);
  };
  timer.SetEnabled(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !timer.Enabled(); }, 2000));
  QTest::qWait(20);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));

  seen.clear();
  timer.SetEnabled(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !timer.Enabled(); }, 2000));
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

// Setting the interval it already has leaves a running timer alone; another interval restarts
// the count.
TEST(SuperTimer, SetIntervalRestartsOnlyForANewValue) {
  for (const std::uint16_t next : {1, 2}) {
    TSuperTimer timer;
    timer.SetInterval(1);
    std::vector<int> seen;
    timer.OnTimer = [&](TSuperTimer& t) {
      seen.push_back(t.TickCount());
      if (seen.size() == 3) t.SetInterval(next);
      if (seen.size() == 6) t.SetEnabled(false);
    };
    timer.SetEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !timer.Enabled(); }, 2000));
    const std::vector<int> expected =
        next == 1 ? std::vector<int>{1, 2, 3, 4, 5, 6} : std::vector<int>{1, 2, 3, 1, 2, 3};
    EXPECT_EQ(seen, expected) << "interval " << next;
  }
}

TEST(SuperTimer, ThrowingHandlerKeepsTicking) {
  TSuperTimer timer;
  timer.SetInterval(1);
  int calls = 0;
  timer.OnTimer = [&](TSuperTimer&) {
    ++calls;
    throw std::runtime_error("step failed");
  };
  timer.SetEnabled(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return calls >= 5; }, 2000));
}

TEST(SuperTimer, ASlowHandlerStretchesThePeriodInsteadOfQueuingTicks) {
  TSuperTimer timer;
  timer.SetInterval(1);
  int calls = 0;
  timer.OnTimer = [&](TSuperTimer&) {
    ++calls;
    QTest::qSleep(30);  // far longer than the interval
  };
  timer.SetEnabled(true);
  QTest::qWait(200);
  timer.SetEnabled(false);
  const int handled = calls;
  QTest::qWait(50);
  EXPECT_EQ(calls, handled);  // nothing was queued behind the slow ticks
  EXPECT_LE(handled, 8);
}

TEST(SuperTimer, DestroyingARunningTimerEndsItsWorker) {
  auto timer = std::make_unique<TSuperTimer>();
  timer->SetInterval(1);
  int calls = 0;
  timer->OnTimer = [&](TSuperTimer&) { ++calls; };
  timer->SetEnabled(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 2000));
  timer.reset();
  const int atDestruction = calls;
  QTest::qWait(20);
  EXPECT_EQ(calls, atDestruction);
}

}  // namespace
}  // namespace shelf
