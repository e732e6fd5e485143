// A fixture for tests of the book's window: folders of their own, and the sample book's start
// clip switched off so that each test meets the window at once.
#pragma once

#include <QTest>
#include <memory>

#include "book/book_session.h"
#include "shell/main_form.h"
#include "test_support.h"

namespace shelf::test {

class BookWindowTest : public IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    SetSampleBookStartClip(false);
  }
  std::unique_ptr<TBookSession> Open(const std::filesystem::path& folder) {
    std::string error;
    auto session = OpenBookSession(folder, error);
    EXPECT_TRUE(session) << error;
    return session;
  }
  // Builds the book's window and waits until its opening animation has ended. Call it under
  // ASSERT_NO_FATAL_FAILURE.
  static void ShowBookWindow(TMainForm& form) {
    ASSERT_EQ(form.BuildBookShell(), std::nullopt);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.OpeningAnimationRunning(); }, 5000));
  }
};

}  // namespace shelf::test
