// One window per book, tried with real copies of the program: a second copy brings the open
// book's window forward, and a copy that is still closing (its sounds fading out after the
// window went) does not keep the book from opening again.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>
#include <QWidget>

#include "platform/cp1251.h"
#include "platform/window_bus.h"
#include "test_support.h"

namespace shelf {
namespace {

constexpr char kSampleTitle[] = "Вектор-2107. Руководство по ремонту и эксплуатации";

class BookInstanceTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    test::SetSampleBookStartClip(false);  // the window shows at once
  }
  void TearDown() override {
    for (QProcess* copy : {&first_, &second_}) {
      if (copy->state() == QProcess::NotRunning) continue;
      copy->kill();
      copy->waitForFinished();
    }
    IsolatedTest::TearDown();
  }
  static void Start(QProcess& copy) {
    copy.start(SHELF_EXE, {"--book", SHELF_SAMPLE_BOOK});
    ASSERT_TRUE(copy.waitForStarted());
  }
  // The book's window as the bus lists it, once some copy shows it.
  static std::optional<TWindowId> WaitForWindow(int ms) {
    std::optional<TWindowId> window;
    QTest::qWaitFor(
        [&] {
          return (window = TWindowBus::FindVisibleWindow(*Utf8ToCp1251(kSampleTitle))) !=
                 std::nullopt;
        },
        ms);
    return window;
  }

  QProcess first_;
  QProcess second_;
};

TEST_F(BookInstanceTest, ASecondCopyOfAnOpenBookBringsItsWindowForwardAndEnds) {
  Start(first_);
  ASSERT_TRUE(WaitForWindow(15000));
  Start(second_);
  const bool ended = second_.waitForFinished(10000);
  ASSERT_TRUE(ended);
  EXPECT_EQ(second_.exitCode(), 0);
  EXPECT_TRUE(second_.readAllStandardError().contains("its window comes forward"));
  EXPECT_EQ(first_.state(), QProcess::Running);
}

TEST_F(BookInstanceTest, TheBookOpensAgainWhileTheClosingCopyStillPlaysOut) {
  Start(first_);
  const auto window = WaitForWindow(15000);
  ASSERT_TRUE(window);
  QWidget sender;
  TWindowBus bus(sender);
  // The window goes with its closing animation (asked again while its opening animation, which
  // ignores a close, may still run); the music's fade-out goes on after it.
  const auto gone = [] { return !TWindowBus::FindVisibleWindow(*Utf8ToCp1251(kSampleTitle)); };
  for (int ask = 0; ask < 20 && !gone(); ++ask) {
    bus.PostMessageTo(*window, TWindowBus::kClose, 0);
    QTest::qWaitFor(gone, 500);
  }
  ASSERT_TRUE(gone());
  EXPECT_EQ(first_.state(), QProcess::Running) << "the fade-out outlasts the window";
  Start(second_);
  const auto reopened = WaitForWindow(20000);
  ASSERT_TRUE(reopened) << second_.readAllStandardError().toStdString();
  EXPECT_NE(*reopened, *window);
  EXPECT_EQ(second_.state(), QProcess::Running);
  // The fade ends within 10 s at the latest.
  ASSERT_TRUE(first_.state() == QProcess::NotRunning || first_.waitForFinished(12000));
  EXPECT_EQ(first_.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first_.exitCode(), 0);
}

}  // namespace
}  // namespace shelf
