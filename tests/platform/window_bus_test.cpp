#include "platform/window_bus.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <filesystem>

#include "platform/bus_frame.h"
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

// A socket bound to `path` (closed at once, it is what a copy that died leaves behind: the name
// is there, nobody answers), or one connected to `path`. -1 when that fails.
int UnixSocket(const fs::path& path, bool bindIt) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  const auto* at = reinterpret_cast<const sockaddr*>(&address);
  if (bindIt ? bind(fd, at, sizeof address) : connect(fd, at, sizeof address)) {
    close(fd);
    return -1;
  }
  return fd;
}

void LeaveStaleSocket(const fs::path& path) {
  close(UnixSocket(path, true));
}

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

  // A copy that died without closing its socket leaves a name that is cleaned away; a file
  // that is no socket is neither a window nor removed.
  const std::string key = fs::path(*found).filename().string().substr(0, 17);
  const fs::path stale = fs::path(*found).parent_path() / (key + "999999999-1");
  const fs::path plain = fs::path(*found).parent_path() / (key + "999999999-2");
  LeaveStaleSocket(stale);
  test::WriteTree(plain.parent_path(), {{plain.filename().string(), "keep"}});
  EXPECT_EQ(TWindowBus::VisibleWindows(*Utf8ToCp1251("Увеличенная картинка")).size(), 1u);
  EXPECT_FALSE(fs::exists(fs::symlink_status(stale)));
  EXPECT_EQ(test::ReadFile(plain), "keep");
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

// A frame names its sender itself. A reply goes only to a window's socket in this user's
// messages folder: no other file is ever connected to or removed, whatever the sender says.
TEST_F(WindowBusTest, AReplyGoesOnlyToAWindowsSocket) {
  TShownWindow picture("Увеличенная картинка");
  ASSERT_FALSE(picture.bus.Id().empty());
  std::vector<bool> replies;
  picture.bus.OnCopyData = [&](const CopyDataRecord&, const TWindowId& sender) {
    replies.push_back(picture.bus.SendMessageTo(sender, TWindowBus::kPictureAnswer, 0));
  };
  const fs::path folder = fs::path(picture.bus.Id()).parent_path();
  const std::string name = "0123456789abcdef-" + std::to_string(getpid()) + "-";
  test::WriteTree(Dir(), {{"precious.txt", "keep"}});
  test::WriteTree(folder, {{name + "1", "keep"}});  // named like a window, but a plain file
  fs::create_symlink(Dir() / "precious.txt", folder / (name + "2"));
  QLocalServer outside;  // some other program's socket
  ASSERT_TRUE(outside.listen(QString::fromStdString((Dir() / "other").string())));
  LeaveStaleSocket(folder / (name + "3"));  // the socket of a window that is gone

  const auto record = CopyDataRecord::Make(CopyDataRecord::kPictureQuery, "p.jpg").Encode();
  const auto ask = [&](const std::string& sender) {
    QLocalSocket hostile;
    hostile.connectToServer(QString::fromStdString(picture.bus.Id()));
    EXPECT_TRUE(hostile.waitForConnected(1000));
    const std::string frame =
        EncodeBusFrame(kCopyDataFrame, sender, std::string_view(record.data(), record.size()));
    hostile.write(frame.data(), static_cast<qint64>(frame.size()));
    const std::size_t before = replies.size();
    EXPECT_TRUE(QTest::qWaitFor([&] { return replies.size() > before; }, 3000)) << sender;
    return replies.size() > before && replies.back();
  };
  for (const fs::path& sender :
       {Dir() / "precious.txt", folder / (name + "1"), folder / (name + "2"), Dir() / "other",
        folder / ".." / folder.filename() / (name + "1"), fs::path(name + "1"), fs::path()})
    EXPECT_FALSE(ask(sender.string())) << sender;
  EXPECT_EQ(test::ReadFile(Dir() / "precious.txt"), "keep");
  EXPECT_EQ(test::ReadFile(folder / (name + "1")), "keep");
  EXPECT_TRUE(fs::is_symlink(folder / (name + "2")));
  EXPECT_FALSE(outside.hasPendingConnections());
  // A window's socket that nobody listens on any more is the only thing ever removed.
  EXPECT_FALSE(ask((folder / (name + "3")).string()));
  EXPECT_FALSE(fs::exists(fs::symlink_status(folder / (name + "3"))));
}

// However many senders leave their frames unfinished, a window keeps no more of their bytes
// than its budget and no more of their connections than its cap: the slowest are hung up.
TEST_F(WindowBusTest, UnfinishedFramesAreHeldWithinBounds) {
  TShownWindow window("Книга");
  ASSERT_FALSE(window.bus.Id().empty());
  const long long before = test::PeakResidentBytes();
  constexpr int kSenders = 1500;
  constexpr std::size_t kSent = kMaxBusFrame - 4096;  // of a frame that says it is a bit longer
  std::string unfinished = EncodeBusFrame(kCopyDataFrame, "", std::string(kSent, 'x'));
  unfinished.resize(kSent);
  std::vector<int> senders;
  for (int i = 0; i < kSenders; ++i) {
    int fd = -1;
    while ((fd = UnixSocket(window.bus.Id(), false)) < 0)
      QCoreApplication::processEvents();  // room in the queue of connections to be accepted
    ASSERT_EQ(send(fd, unfinished.data(), unfinished.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(unfinished.size()));
    senders.push_back(fd);
    QCoreApplication::processEvents();
  }
  // The window hangs up on all but the few it can hold.
  const auto stillHeld = [&] {
    std::size_t held = 0;
    for (const int fd : senders) {
      pollfd state{fd, POLLIN, 0};  // the window never writes to these: readable means gone
      if (poll(&state, 1, 0) == 0) ++held;
    }
    return held;
  };
  const std::size_t most = TBusInbox::kMaxBufferedBytes / kSent;
  EXPECT_TRUE(QTest::qWaitFor([&] { return stillHeld() <= most; }, 20000)) << stillHeld();
  EXPECT_LE(window.bus.Inbox().BufferedBytes(), TBusInbox::kMaxBufferedBytes);
  EXPECT_LE(window.bus.Inbox().Connections(), TBusInbox::kMaxConnections);
  // What was sent (about 90 MiB) never came to be held at once (the quarantine of the
  // sanitizer's build keeps freed blocks resident, so only the plain build measures this).
  if (!test::kAddressSanitizer) EXPECT_LT(test::PeakResidentBytes() - before, 48LL << 20);
  for (const int fd : senders) close(fd);
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
