#include "shell/window_messages.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "store/book_folders.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

class FakeWindow : public TWindowMessagesHost {
 public:
  FakeWindow(const char* caption, const TDosFileSystem& files, const TBookFolders& folders) {
    widget.setWindowTitle(QString::fromUtf8(caption));
    widget.show();
    messages = std::make_unique<TWindowMessages>(*this, bus, files, folders);
  }
  bool HasPageAreas() const override { return true; }
  bool ThesaurusWindow() const override { return thesaurus; }
  bool NotMainShell() const override { return notMainShell; }
  int CurrentScreen() const override { return screen; }
  std::string CurrentPageFile() const override { return page; }
  void LoadPage(const std::string& file) override { calls.push_back("load " + file); }
  void DispatchCommand(const std::string& command) override { calls.push_back("run " + command); }
  void PrintPage(const std::string& file, const TPicturePrint& picture) override {
    calls.push_back("print " + file + " " + std::to_string(picture.Width) + "x" +
                    std::to_string(picture.Height));
  }
  std::string ShownFile() const override {
    ++asked;
    return shown;
  }
  void CloseWindow() override { calls.push_back("close"); }

  QWidget widget;
  TWindowBus bus{widget};
  std::unique_ptr<TWindowMessages> messages;
  bool thesaurus = false;
  bool notMainShell = false;
  int screen = 1;
  std::string page, shown;
  mutable int asked = 0;
  std::vector<std::string> calls;
};

class WindowMessagesTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    files_.MapDrive('c', "/");
    fs::create_directories(Dir() / "temp");
    folders_.ProgramDir = "d:\\book\\run\\";
    folders_.TempDir = *files_.ToDos(Dir() / "temp", true);
  }
  std::unique_ptr<FakeWindow> Window(const char* caption) {
    return std::make_unique<FakeWindow>(caption, files_, folders_);
  }
  TDosFileSystem files_;
  TBookFolders folders_;
};

TEST_F(WindowMessagesTest, TwoPictureWindowsAnswerNoThenYes) {
  auto showing = Window("Увеличенная картинка");
  showing->shown = "d:\\book\\pic.jpg#a ";
  QTest::qWait(20);  // the later window is asked first
  auto other = Window("Увеличенная картинка");
  other->shown = "d:\\book\\other.jpg";
  auto book = Window("Книга");
  EXPECT_TRUE(book->messages->PictureShownElsewhere("d:\\book\\pic.jpg#a"));
  EXPECT_EQ(other->asked, 1);
  EXPECT_EQ(showing->asked, 1);
  EXPECT_TRUE(book->messages->PicturePrint().PrintPicture == false);
  EXPECT_TRUE(other->messages->PicturePrint().PrintPicture);

  EXPECT_FALSE(book->messages->PictureShownElsewhere("d:\\book\\third.jpg"));
  // A query that asks for a "no" gets one whatever is shown.
  CopyDataRecord record =
      CopyDataRecord::Make(CopyDataRecord::kPictureQuery, "d:\\book\\pic.jpg#a");
  record.ItemTypes[0] = 1;
  int answers = 0;
  book->bus.OnMessage = [&](int code, std::int64_t parameter, const TWindowId&) {
    EXPECT_EQ(code, TWindowBus::kPictureAnswer);
    EXPECT_EQ(parameter, 0);
    ++answers;
  };
  EXPECT_TRUE(book->bus.SendCopyDataTo(showing->bus.Id(), record));
  EXPECT_EQ(answers, 1);
}

TEST_F(WindowMessagesTest, PageRequestsLoadOnceAndAnswerTheSender) {
  auto book = Window("Книга");
  auto sender = Window("Электросхема");
  std::vector<int> replies;
  sender->bus.OnMessage = [&](int code, std::int64_t, const TWindowId&) {
    replies.push_back(code);
  };
  book->page = "d:\\book\\run\\html\\Engine.htm";
  const auto ask = [&](const char* page) {
    EXPECT_TRUE(sender->bus.SendCopyDataTo(book->bus.Id(),
                                           CopyDataRecord::Make(CopyDataRecord::kOpenPage, page)));
  };
  ask("ENGINE.HTM");  // the page on show: not reloaded
  ask("brakes.htm");
  book->screen = 0;
  ask("html\\start.htm");
  EXPECT_EQ(book->calls, (std::vector<std::string>{"load d:\\book\\run\\brakes.htm",
                                                   "run screen2=d:\\book\\run\\html\\start.htm"}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return replies.size() == 3; }, 2000));
  EXPECT_EQ(replies, std::vector<int>(3, TWindowBus::kPageShown));

  // The thesaurus window loads the page as given and sends no reply.
  auto thesaurus = Window("Тезаурус");
  thesaurus->thesaurus = true;
  EXPECT_TRUE(book->messages->ShowInThesaurus("d:\\book\\run\\html\\t.htm"));
  EXPECT_EQ(thesaurus->calls, std::vector<std::string>{"load d:\\book\\run\\html\\t.htm"});
  thesaurus->widget.hide();
  EXPECT_FALSE(book->messages->ShowInThesaurus("d:\\book\\run\\html\\t.htm"));

  // So does the help window, with the topic's anchor.
  auto help = Window("Помощь");
  help->notMainShell = true;
  help->screen = 0;
  EXPECT_TRUE(book->messages->ShowInHelpWindow("d:\\book\\run\\help.htm#Topic13"));
  EXPECT_EQ(help->calls, std::vector<std::string>{"load d:\\book\\run\\help.htm#Topic13"});
}

TEST_F(WindowMessagesTest, TheBooksOtherWindowsCloseWithTheShell) {
  auto book = Window("Книга");
  auto help = Window("Помощь");
  auto thesaurus = Window("Тезаурус");
  auto first = Window("Увеличенная картинка");
  auto second = Window("Увеличенная картинка");
  auto other = Window("Другая программа");
  const auto closed = [](const FakeWindow& w) {
    return std::count(w.calls.begin(), w.calls.end(), "close");
  };
  book->messages->CloseBookWindows(false);  // a window that is not the shell leaves pictures
  EXPECT_TRUE(QTest::qWaitFor([&] { return closed(*help) && closed(*thesaurus); }, 2000));
  QTest::qWait(50);
  EXPECT_EQ(closed(*first) + closed(*second), 0);
  book->messages->CloseBookWindows(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return closed(*first) && closed(*second); }, 2000));
  EXPECT_EQ(closed(*other), 0);
  EXPECT_EQ(closed(*book), 0);
}

TEST_F(WindowMessagesTest, PrintRequestsDeleteOnlyFilesInTheTemporaryFolder) {
  auto book = Window("Книга");
  auto sender = Window("Электросхема");
  test::WriteTree(Dir(), {{"temp/print.htm", "x"}, {"mine/keep.htm", "y"}});
  const auto print = [&](const fs::path& file, const char* width, const char* height) {
    CopyDataRecord record =
        CopyDataRecord::Make(CopyDataRecord::kPrintFile, *files_.ToDos(file, false));
    record.Count = 3;
    record.ItemTypes = {0, 1, 2};
    record.SetItem(1, width);
    record.SetItem(2, height);
    EXPECT_TRUE(sender->bus.SendCopyDataTo(book->bus.Id(), record));
  };
  print(Dir() / "mine" / "keep.htm", "640", "480");
  print(Dir() / "temp" / "print.htm", "320", "200");
  EXPECT_TRUE(QTest::qWaitFor([&] { return book->calls.size() == 2; }, 2000));
  EXPECT_TRUE(fs::exists(Dir() / "mine" / "keep.htm"));
  EXPECT_FALSE(fs::exists(Dir() / "temp" / "print.htm"));
  EXPECT_EQ(book->calls[0],
            "print " + *files_.ToDos(Dir() / "mine" / "keep.htm", false) + " 640x480");

  testing::internal::CaptureStderr();
  print(Dir() / "mine" / "keep.htm", "wide", "480");
  QTest::qWait(100);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("\"wide\" is not a whole number"),
            std::string::npos);
  EXPECT_EQ(book->calls.size(), 2u);  // that request was not carried out
}

}  // namespace
}  // namespace shelf
