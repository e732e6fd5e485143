#include "platform/window_bus.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>
#include <QWidget>
#include <filesystem>

#include "platform/cp1251.h"
#include "platform/user_folders.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

// A visible window of this process with its bus.
struct TShownWindow {
  explicit TShownWindow(const char* utf8Caption) {
    widget.setWindowTitle(QString::fromUtf8(utf8Caption));
    widget.show();
  }
  QWidget widget;
  TWindowBus bus{widget};
};

class WindowBusTest : public test::IsolatedTest {};

TEST_F(WindowBusTest, FindsVisibleWindowsByCaptionWithoutRegardToCase) {
  TShownWindow picture("Увеличенная картинка");
  TShownWindow other("Тезаурус");
  ASSERT_FALSE(picture.bus.Id().empty());
  const auto found = TWindowBus::FindVisibleWindow(*Utf8ToCp1251("УВЕЛИЧЕННАЯ картинка"));
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, picture.bus.Id());
  EXPECT_EQ(fs::status(fs::path(*found).parent_path()).permissions() & fs::perms::all,
            fs::perms::owner_all);

  picture.widget.hide();
  EXPECT_FALSE(TWindowBus::FindVisibleWindow(*Utf8ToCp1251("Увеличенная картинка")));
  EXPECT_TRUE(picture.bus.Id().empty());
  EXPECT_FALSE(fs::exists(*found));
  picture.widget.show();
  EXPECT_EQ(TWindowBus::VisibleWindows(*Utf8ToCp1251("увеличенная КАРТИНКА")).size(), 1u);

  // A copy that died without closing its socket leaves a name that is cleaned away.
  const fs::path stale = fs::path(*found).parent_path() /
                         (fs::path(*found).filename().string().substr(0, 17) + "999999999-1");
  test::WriteTree(stale.parent_path(), {{stale.filename().string(), ""}});
  EXPECT_EQ(TWindowBus::VisibleWindows(*Utf8ToCp1251("Увеличенная картинка")).size(), 1u);
  EXPECT_FALSE(fs::exists(stale));
}

TEST_F(WindowBusTest, SynchronousSendTakesTheNestedReplyBeforeItReturns) {
  TShownWindow asker("Книга");
  TShownWindow picture("Увеличенная картинка");
  std::vector<std::string> events;
  picture.bus.OnCopyData = [&](const CopyDataRecord& record, const TWindowId& sender) {
    events.push_back("query " + record.Items[0]);
    EXPECT_EQ(sender, asker.bus.Id());
    EXPECT_TRUE(picture.bus.SendMessageTo(sender, TWindowBus::kPictureAnswer, 1));
    events.push_back("answered");
  };
  asker.bus.OnMessage = [&](int code, std::int64_t parameter, const TWindowId& sender) {
    EXPECT_EQ(sender, picture.bus.Id());
    events.push_back("reply " + std::to_string(code) + " " + std::to_string(parameter));
  };
  const CopyDataRecord query = CopyDataRecord::Make(CopyDataRecord::kPictureQuery, "d:\\p.jpg");
  EXPECT_TRUE(asker.bus.SendCopyDataTo(picture.bus.Id(), query));
  EXPECT_EQ(events, (std::vector<std::string>{"query d:\\p.jpg", "reply 1225 1", "answered"}));

  // Posted messages arrive later, from the event loop.
  events.clear();
  asker.bus.PostMessageTo(picture.bus.Id(), TWindowBus::kPrintPending, 0);
  picture.bus.OnMessage = [&](int code, std::int64_t, const TWindowId&) {
    events.push_back("posted " + std::to_string(code));
  };
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !events.empty(); }, 2000));
  EXPECT_EQ(events.front(), "posted 1224");

  const TWindowId gone = picture.bus.Id();
  picture.widget.hide();
  EXPECT_FALSE(asker.bus.SendCopyDataTo(gone, query));
}

TEST_F(WindowBusTest, AnotherCopyOfTheProgramAnswersAPageRequest) {
  const std::string title = *Utf8ToCp1251("Вектор-2107. Руководство по ремонту и эксплуатации");
  test::SetSampleBookStartClip(false);  // the window comes at once
  QProcess shelf;
  shelf.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  shelf.start(SHELF_EXE, {"--book", SHELF_SAMPLE_BOOK});
  ASSERT_TRUE(shelf.waitForStarted());
  std::optional<TWindowId> window;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return (window = TWindowBus::FindVisibleWindow(title)).has_value(); }, 20000));
  if (window) {
    TShownWindow asker("Электросхема");
    std::vector<int> replies;
    asker.bus.OnMessage = [&](int code, std::int64_t, const TWindowId& sender) {
      if (sender == *window) replies.push_back(code);
    };
    const auto record = CopyDataRecord::Make(CopyDataRecord::kOpenPage, "html\\index.htm");
    EXPECT_TRUE(asker.bus.SendCopyDataTo(*window, record));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !replies.empty(); }, 5000));
    EXPECT_EQ(replies, std::vector<int>{TWindowBus::kPageShown});
  }
  shelf.kill();
  shelf.waitForFinished();
}

}  // namespace
}  // namespace shelf
