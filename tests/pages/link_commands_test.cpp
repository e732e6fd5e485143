#include "pages/link_commands.h"
#include "print/preview_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTest>

#include "book/book_session.h"
#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "platform/shell_open.h"
#include "test_support.h"
#include "widgets/path_input_box.h"
#include "widgets/status_line.h"
#include "widgets/text_msg.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

// Records what would go to the desktop instead of opening it.
class FakeDesktop : public TShellOpen {
 public:
  bool OpenUrl(const std::string& url) override {
    Calls.push_back("url " + url);
    return Opens;
  }
  bool OpenFile(const fs::path& file) override {
    Calls.push_back("open " + file.string());
    return Opens;
  }
  bool HasHandler(const fs::path&) override { return Handler; }
  bool SetCurrentFolder(const fs::path& folder) override {
    Folder = folder;
    return true;
  }
  std::optional<fs::path> AskSaveFile(QWidget*, const fs::path& folder, const std::string& name,
                                      const std::string& filter) override {
    Calls.push_back("save " + folder.string() + "|" + name);
    Filter = filter;
    return SaveAs;
  }
  bool StartOwnCopy(const std::vector<std::string>& arguments) override {
    std::string line = "copy";
    for (const auto& a : arguments) line += " " + a;
    Calls.push_back(line);
    return true;
  }

  std::vector<std::string> Calls;
  fs::path Folder;
  std::string Filter;
  std::optional<fs::path> SaveAs;
  bool Opens = true, Handler = true;
};

std::string Page(const std::string& body) {
  return *Utf8ToCp1251("<html><head><title>Ссылки</title></head><body>" + body + "</body></html>");
}

std::string Lower(const std::string& text) {
  return Cp1251LowerString(text);
}

class LinkCommandsTest : public test::IsolatedTest, public THtmlFrameHost {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    test::WriteTree(Dir() / "book",
                    {{"run/a.htm", Page("<p><a href=\"http://example.org/\">сайт</a></p>"
                                        "<select name=\"SN\"><option>A-1</option>"
                                        "<option selected>B-22</option></select>")},
                     {"run/b.htm", Page("<p>b</p>")},
                     {"run/pic.gif", "GIF89a"},
                     {"run/doc.pdf", "%PDF"},
                     {"run/notes.zip", "PK\x03\x04zip"}});
    // The folder above the book stands for the root of its drive.
    test::WriteTree(Dir(), {{"setup/setup.exe", "MZ"}});
    std::string error;
    session = OpenBookSession(Dir() / "book", error);
    ASSERT_TRUE(session) << error;
    run = session->Folders.ProgramDir;
    window.resize(800, 600);
    window.show();
    labels = CreateTextMsg({{10, 10, 300, "arial", 10, "", 0, "", 1, 0, "statusline"}}, nullptr);
    status = std::make_unique<TStatusLine>(labels.get());
    frame = CreateHtmlFrame(*this, session->Store, session->FileSystem, session->Folders,
                            {{0, 0, 600, 400, run + "a.htm", 1, 0}}, "SOFTWARE\\Brevandor\\Test");
    frame->Links().SetDesktop(desktop);
    frame->ShowPreview = [this](TPreviewForm&) { ++previews; };
    viewer = frame->CurrentScreenViewer();
    ASSERT_TRUE(viewer && viewer->isVisible());
  }
  int previews = 0;  // print previews opened by "printhtml:" links
  void TearDown() override {
    frame.reset();
    boxes.reset();
    session.reset();
    IsolatedTest::TearDown();
  }
  bool Click(const std::string& target, const std::string& url) {
    bool handled = false;
    frame->Links().HandleLinkClick(*viewer, target, url, handled);
    return handled;
  }
  fs::path Host(const std::string& relative) { return Dir() / relative; }
  void AddPathBox(const fs::path& folder) {
    boxes = std::make_unique<TPathInputBox>(
        window, TDynamicPathInputArray{{0, 0, 100, 20, folder.string(), 0, ""}},
        "SOFTWARE\\Brevandor\\Test", 0,
        THostFolderNames(session->FileSystem, session->Folders.CdRoot));
  }

  int CurrentScreen() const override { return 0; }
  QWidget& Window() override { return window; }
  TPanelBkgrd* BackgroundPanel() const override { return nullptr; }
  TTextMsg* TextMessages() const override { return labels.get(); }
  TStatusLine* StatusLine() const override { return status.get(); }
  TPathInputBox* PathInputs() const override { return boxes.get(); }
  void PointerLeftElements() override {}

  std::unique_ptr<TBookSession> session;
  std::string run;
  QWidget window;
  std::unique_ptr<TTextMsg> labels;
  std::unique_ptr<TStatusLine> status;
  std::unique_ptr<TPathInputBox> boxes;
  std::unique_ptr<THtmlFrame> frame;
  TFrameViewer* viewer = nullptr;
  FakeDesktop desktop;
};

TEST_F(LinkCommandsTest, EveryRowOfTheTableInItsOrder) {
  const std::string book = session->FileSystem.ToHost(run)->string();
  struct Case {
    const char* target;
    const char* url;
    bool archive;
    bool handled;
    std::string call;     // what reaches the desktop, empty: nothing
    std::string visited;  // the visited-list entry, empty: none
  } cases[] = {
      {"_BLANK", "pic.gif#x", false, true, "copy --book " + book + " " + Lower(run) + "pic.gif#x",
       Lower(run) + "pic.gif"},
      {"_blank", "missing.gif", false, true, "", Lower(run) + "missing.gif"},
      {"", "HTTP://Example.org/", false, true, "url HTTP://Example.org/", "http://example.org/"},
      {"", "mailto:kniga@example.org", false, true, "url mailto:kniga@example.org", ""},
      {"main", "printhtml:b.htm", false, true, "", run + "b.htm"},
      {"", "b.htm#top", false, false, "", ""},
      {"", "#top", false, false, "", ""},
      {"", "doc.pdf", false, true, "open " + Host("book/run/doc.pdf").string(),
       Lower(run) + "doc.pdf"},
      {"", "tune.wav", false, true, "", Lower(run) + "tune.wav"},
      {"", "arc.rar", false, true, "", ""},
      // Written for drive e: in a book on d:, the program is looked for on d:.
      {"", "e:\\setup\\setup.exe", false, true, "open " + Host("setup/setup.exe").string(),
       "e:\\setup\\setup.exe"},
      // In an archive listing pages of the book open as linked pages, listings' own pages and
      // anchors are left to the engine.
      {"", "b.htm", true, true, "", ""},
      {"", "as_list.htm", true, false, "", ""},
      {"", "#top", true, false, "", ""},
  };
  for (const Case& c : cases) {
    desktop.Calls.clear();
    frame->SetArchiveMode(c.archive);
    EXPECT_EQ(Click(c.target, c.url), c.handled) << c.url;
    EXPECT_EQ(desktop.Calls.empty() ? "" : desktop.Calls.front(), c.call) << c.url;
    if (!c.visited.empty()) EXPECT_TRUE(viewer->IsVisited(c.visited)) << c.url;
  }
  EXPECT_EQ(desktop.Folder, Host("setup"));  // the program's folder became the current one
  EXPECT_TRUE(Lower(viewer->CurrentFile()).ends_with("b.htm"));  // opened from the listing
}

TEST_F(LinkCommandsTest, FailedStartsAreReportedOnTheStatusLine) {
  desktop.Handler = false;
  EXPECT_TRUE(Click("", "e:\\setup\\setup.exe"));
  EXPECT_TRUE(desktop.Calls.empty());  // no desktop program runs Windows programs here
  EXPECT_EQ(status->Message(), *Utf8ToCp1251("Программа не может быть запущена в этой системе"));

  status->Clear();
  desktop.Opens = false;
  EXPECT_TRUE(Click("", "doc.pdf"));
  EXPECT_EQ(status->Message(), *Utf8ToCp1251("Не удалось открыть файл"));
  status->Clear();
  EXPECT_TRUE(Click("", "absent.doc"));
  EXPECT_EQ(status->Message(), *Utf8ToCp1251("Не удалось открыть файл"));
  status->Clear();
  EXPECT_TRUE(Click("", "http://example.org/"));
  EXPECT_EQ(status->Message(), *Utf8ToCp1251("Не удалось открыть ссылку"));
}

TEST_F(LinkCommandsTest, CopiesStayInsideThePathBoxFolder) {
  const fs::path out = Dir() / "out";
  fs::create_directories(out);
  AddPathBox(out / "new" / "deeper");
  EXPECT_TRUE(Click("", "copy:doc.pdf"));  // the folder is made first
  EXPECT_EQ(test::ReadFile(out / "new/deeper/doc.pdf"), "%PDF");
  EXPECT_TRUE(status->Message().empty());

  EXPECT_TRUE(Click("", "copy:..\\..\\run\\b.htm"));
  EXPECT_EQ(test::ReadFile(out / "new/deeper/b.htm"), Page("<p>b</p>"));
  EXPECT_TRUE(Click("", "copy:d:\\run\\.."));  // names the folder itself: nothing to copy
  EXPECT_EQ(status->Message(), *Utf8ToCp1251("Не удалось скопировать файл"));
  EXPECT_EQ(std::distance(fs::recursive_directory_iterator(out), {}), 4);

  status->Clear();
  EXPECT_TRUE(Click("", "copy:absent.txt"));
  EXPECT_EQ(status->Message(), *Utf8ToCp1251("Не удалось скопировать файл"));
}

TEST_F(LinkCommandsTest, ZipFilesAreSavedWhereTheReaderSays) {
  EXPECT_TRUE(Click("", "notes.zip"));  // cancelled: nothing copied, still visited
  EXPECT_EQ(desktop.Calls.back(), "save |notes.zip");
  EXPECT_EQ(desktop.Filter, "Zip файлы (*.zip)|*.zip|Все файлы (*.*)|*.*");
  EXPECT_TRUE(viewer->IsVisited(run + "notes.zip"));

  desktop.SaveAs = Dir() / "saved" / "copy.zip";
  EXPECT_TRUE(Click("", "notes.zip"));
  EXPECT_EQ(test::ReadFile(Dir() / "saved/copy.zip"), "PK\x03\x04zip");
  EXPECT_TRUE(Click("", "notes.zip"));  // the dialog starts in the folder chosen last
  EXPECT_EQ(desktop.Calls.back(), "save " + (Dir() / "saved").string() + "|notes.zip");

  desktop.SaveAs = Dir() / "saved";  // a folder cannot take the copy
  EXPECT_TRUE(Click("", "notes.zip"));
  EXPECT_EQ(status->Message(), *Utf8ToCp1251("Не удалось скопировать файл"));
}

TEST_F(LinkCommandsTest, ListSelectionsGoToTheClipboard) {
  QGuiApplication::clipboard()->setText("old");
  EXPECT_TRUE(Click("", "copylist:nothing"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "old");
  EXPECT_TRUE(status->Message().empty());
  EXPECT_TRUE(Click("", "copylist:sn"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "B-22");
  EXPECT_EQ(status->Message(), *Utf8ToCp1251("Серийный номер скопирован"));
}

TEST_F(LinkCommandsTest, AClickOnALinkOfThePageReachesTheHandler) {
  TDocumentView* view = viewer->ActiveViewer();
  ASSERT_NE(view, nullptr);
  QPoint link(-1, -1);
  for (int y = 0; y < 100 && link.x() < 0; y += 2)
    for (int x = 0; x < 200 && link.x() < 0; x += 2)
      if (view->ObjectAt(QPoint(x, y)).Url == "http://example.org/") link = QPoint(x, y);
  ASSERT_GE(link.x(), 0);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, link);
  ASSERT_EQ(desktop.Calls.size(), 1u);
  EXPECT_EQ(desktop.Calls[0], "url http://example.org/");
  EXPECT_TRUE(Lower(viewer->CurrentFile()).ends_with("a.htm"));  // the page stays
}

}  // namespace
}  // namespace shelf
