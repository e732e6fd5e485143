// The main window in its other roles: the thesaurus window, help and picture windows, the
// shell's plain window, and the lookups that open them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QToolBar>

#include "book/book_session.h"
#include "html/book_url.h"
#include "html/document_view.h"
#include "html/frame_viewer.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "platform/shell_open.h"
#include "platform/window_bus.h"
#include "search/find_txt_html.h"
#include "shell/book_window_test.h"
#include "shell/main_form.h"
#include "shell/plain_tool_bar.h"
#include "shell/plain_window_layout.h"
#include "shell/recording_desktop.h"
#include "shell/window_messages.h"
#include "test_support.h"
#include "widgets/panel_bkgrd.h"
#include "widgets/status_line.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

using test::Keyboard;
using test::RecordingDesktop;

class MainFormRolesTest : public test::BookWindowTest {
 protected:
  // A loose book with a Struct.txt and a picture of `size` (UTF-8 texts).
  fs::path MakeBook(const std::string& structText, QSize size) {
    const fs::path book = Dir() / "book";
    test::WriteTree(book / "run", {{"Struct.txt", *Utf8ToCp1251(structText)},
                                   {"help.htm", "<p>help<a name=\"Topic12\"></a>"}});
    for (const char* name : {"photo.bmp", "scheme.bmp"}) {
      QImage picture(size, QImage::Format_RGB888);
      picture.fill(Qt::darkCyan);
      picture.save(QString::fromStdString((book / "run" / name).string()));
    }
    return book;
  }
  static QRect WorkArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
  // Waits for a visible window of another copy captioned `caption` (UTF-8).
  static bool WindowAppears(const char* caption) {
    return QTest::qWaitFor(
        [&] { return TWindowBus::FindVisibleWindow(*Utf8ToCp1251(caption)).has_value(); }, 30000);
  }
};

TEST_F(MainFormRolesTest, TheThesaurusWindowIsDrawnFromTesaurusTxtAndFindsTermsByTheirMarker) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  const std::string start = session->Folders.ProgramDir + "tesaurus1.htm#akb";
  ASSERT_EQ(form.SetUpThesaurusWindow(start), std::nullopt);
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Тезаурус"));  // whatever the file says
  EXPECT_EQ(form.size(), QSize(640, 480));
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.NotMainShell());
  // Its own buttons: the two title-bar ones and four tools.
  EXPECT_EQ(form.Description().Screens.at(0).Buttons.size(), 6u);
  TFrameViewer* viewer = form.PageAreas()->CurrentScreenViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->CurrentFile(), start);
  EXPECT_EQ(viewer->geometry(), QRect(20, 90, 600, 350));

  // The find box sits on the window; the first search for a word lands on its entry.
  ASSERT_NE(form.FindBoxes(), nullptr);
  QLineEdit* box = form.FindBoxes()->Box(0);
  EXPECT_EQ(box->window(), &form);
  EXPECT_TRUE(box->isVisible());
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(Keyboard(), box);
  box->setText(QString::fromUtf8("Генератор"));
  QTest::keyClick(Keyboard(), Qt::Key_Return);
  EXPECT_TRUE(form.StatusLine()->Message().empty());
  box->setText(QString::fromUtf8("Нет такого слова"));
  QTest::keyClick(Keyboard(), Qt::Key_Return);
  EXPECT_EQ(form.StatusLine()->Message(), *Utf8ToCp1251("Текст не найден"));

  // A term typed by its start or in another form: its entry, on whichever page it is.
  const struct {
    const char* typed;
    const char* page;
    const char* entry;
  } terms[] = {{"порш", "tesaurus3.htm", "~ Поршень"},
               {"свечи зажигания", "tesaurus4.htm", "~ Свеча зажигания"}};
  for (const auto& term : terms) {
    box->setText(QString::fromUtf8(term.typed));
    QTest::keyClick(Keyboard(), Qt::Key_Return);
    EXPECT_TRUE(Cp1251LowerString(viewer->CurrentFile()).ends_with(term.page)) << term.typed;
    EXPECT_EQ(Cp1251ToUtf8(viewer->ActiveViewer()->SelectedText()), term.entry) << term.typed;
  }

  // Typing and the box's editing keys come before the window's: Shift+T types a capital (no
  // thesaurus start page), Ctrl+A and Shift+Home select the box's text, not the page's.
  ASSERT_EQ(Keyboard(), box);
  box->setText("ab");
  QTest::sendKeyEvent(QTest::Click, Keyboard(), Qt::Key_T, "T", Qt::ShiftModifier);
  EXPECT_EQ(box->text(), "abT");
  QTest::keyClick(Keyboard(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(box->selectedText(), "abT");
  QTest::keyClick(Keyboard(), Qt::Key_End);
  QTest::keyClick(Keyboard(), Qt::Key_Left);
  QTest::keyClick(Keyboard(), Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(box->selectedText(), "ab");
  EXPECT_TRUE(Cp1251LowerString(viewer->CurrentFile()).ends_with("tesaurus4.htm"));
  EXPECT_EQ(Cp1251ToUtf8(viewer->ActiveViewer()->SelectedText()), "~ Свеча зажигания");

  // A page handed to the running window opens at its anchor, also a page it has shown before.
  const std::string first = session->Folders.ProgramDir + "tesaurus1.htm";
  // What another copy's page request hands over.
  const auto handOver = [&](const std::string& page) {
    form.WindowMessages()->HandleCopyData(CopyDataRecord::Make(CopyDataRecord::kOpenPage, page),
                                          {});
  };
  handOver(first + "#gbc");
  EXPECT_TRUE(SameBookFile(viewer->CurrentFile(), first));
  const int far = viewer->ActiveViewer()->VScrollPos();
  EXPECT_GT(far, 0);
  handOver(first + "#akb");
  EXPECT_LT(viewer->ActiveViewer()->VScrollPos(), far);
  handOver(first + "#gbc");
  EXPECT_EQ(viewer->ActiveViewer()->VScrollPos(), far);
}

TEST_F(MainFormRolesTest, HelpAndPictureWindowsHaveTheirTitlesSizesAndPlace) {
  const fs::path book = MakeBook("title=Книга\r\nhelpwin vw=1;vh=1;fn=help.htm\r\n", {600, 400});
  auto session = Open(book);
  const std::string run = session->Folders.ProgramDir;
  {
    TMainForm help(*session);
    help.SetUpPlainWindow(run + "help.htm#Topic12", true);
    EXPECT_EQ(help.windowTitle(), QString::fromUtf8("Помощь"));  // whatever Struct.txt says
    help.PageAreas()->OpenLinkedPage(run + "photo.bmp");
    EXPECT_EQ(help.windowTitle(), QString::fromUtf8("Помощь"));
    EXPECT_TRUE(help.PlainWindow());
    EXPECT_FALSE(help.PlainToolBar()->Button(TPlainToolBar::kLeave)->isVisible());
  }
  const QRect work = WorkArea();
  ASSERT_GE(work.width(), 40 + 645);
  ASSERT_GE(work.height(), 30 + 490);
  {
    TMainForm picture(*session);
    picture.SetUpPlainWindow(run + "photo.bmp", false);
    EXPECT_EQ(picture.windowTitle(), QString::fromUtf8("Увеличенная картинка"));
    EXPECT_EQ(picture.size(), QSize(645, 490));
    EXPECT_EQ(picture.pos(), QPoint(40, 30));
    EXPECT_TRUE(picture.isVisible());
    // The page fills the window below the toolbar.
    TFrameViewer* viewer = picture.PageAreas()->CurrentScreenViewer();
    EXPECT_EQ(viewer->geometry().top(), picture.PlainToolBar()->ToolBar()->geometry().bottom() + 1);
    EXPECT_EQ(viewer->geometry().bottom(), picture.height() - 1);
  }
  {
    TMainForm scheme(*session);
    scheme.SetUpPlainWindow(run + "scheme.bmp", false);
    EXPECT_EQ(scheme.size(), QSize(780, 550));
    EXPECT_EQ(scheme.pos(), PlainWindowPosition(QSize(780, 550), work));
  }
  {
    // "/h" alone is the argument itself: a plain window without the help title.
    TMainForm plain(*session);
    plain.SetUpPlainWindow("/h", false);
    EXPECT_EQ(plain.windowTitle(), QString::fromUtf8("Увеличенная картинка"));
  }
}

TEST_F(MainFormRolesTest, TheShellTurnsIntoAPlainWindowWithItsToolbarAndBack) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_NO_FATAL_FAILURE(ShowBookWindow(form));
  form.Dispatcher().ExecuteCommand("2", "", true, TElementKind::Button, 0);
  const std::string run = session->Folders.ProgramDir;
  form.PageAreas()->OpenLinkedPage(run + "engine.htm");
  form.PageAreas()->OpenLinkedPage(run + "brakes.htm");
  const QRect drawn = form.geometry();

  form.Dispatcher().ExecuteCommand("standartwin", "", true, TElementKind::Button, 0);
  ASSERT_TRUE(form.PlainWindow());
  TPlainToolBar* bar = form.PlainToolBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->ToolBar()->isVisible());
  EXPECT_FALSE(form.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(form.mask().isEmpty());
  // Print and the way back show; back, forward and the divider stay hidden, but follow the page.
  EXPECT_TRUE(bar->Button(TPlainToolBar::kPrint)->isVisible());
  EXPECT_TRUE(bar->Button(TPlainToolBar::kLeave)->isVisible());
  EXPECT_FALSE(bar->Button(TPlainToolBar::kBack)->isVisible());
  const QList<QAction*> back = bar->BackMenu()->actions();
  EXPECT_TRUE(back[0]->isVisible());
  EXPECT_EQ(back[0]->data().toInt(), 1);
  EXPECT_TRUE(back[0]->text().contains("engine.htm"));
  // The page and its contents fill the window under the toolbar; the caption names the page.
  EXPECT_EQ(form.BackgroundPanel()->geometry(), bar->ClientArea());
  EXPECT_TRUE(form.windowTitle().endsWith(
      QString::fromUtf8(" — Вектор-2107. Руководство по ремонту и эксплуатации")));

  back[0]->trigger();  // a menu item moves the history
  TFrameViewer* viewer = form.PageAreas()->CurrentScreenViewer();
  EXPECT_TRUE(Cp1251LowerString(viewer->CurrentFile()).ends_with("engine.htm"));
  EXPECT_TRUE(bar->ForwardMenu()->actions()[6]->isVisible());

  bar->Button(TPlainToolBar::kLeave)->trigger();
  EXPECT_FALSE(form.PlainWindow());
  EXPECT_FALSE(bar->ToolBar()->isVisible());
  EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(form.size(), QSize(800, 600));
  EXPECT_EQ(form.pos(), drawn.topLeft());
  EXPECT_EQ(form.mask(), form.Shape());
  EXPECT_EQ(form.BackgroundPanel()->geometry(), QRect(33, 90, 673, 421));
  EXPECT_EQ(form.windowTitle(),
            QString::fromUtf8("Вектор-2107. Руководство по ремонту и эксплуатации"));
}

TEST_F(MainFormRolesTest, ShiftTAndF1StartTheThesaurusAndTheHelpWindow) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_NO_FATAL_FAILURE(ShowBookWindow(form));
  RecordingDesktop desktop;
  form.SetDesktop(desktop);
  const std::string run = session->Folders.ProgramDir;
  // The keys go to the control that has the keyboard, as they arrive from the desktop once
  // its shortcuts have passed on them (QTest would offer F1 to them first).
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  const auto press = [&](int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(Keyboard(), &event);
  };
  press(Qt::Key_T, Qt::ShiftModifier);  // only where pages are read
  EXPECT_TRUE(desktop.starts.empty());
  press(Qt::Key_F1, Qt::NoModifier);
  ASSERT_EQ(desktop.starts.size(), 1u);
  EXPECT_EQ(desktop.starts.back()[2], Cp1251ToUtf8(run) + "help.htm#Topic12");
  EXPECT_EQ(desktop.starts.back()[3], "/h");

  form.Dispatcher().ExecuteCommand("2", "", true, TElementKind::Button, 0);
  press(Qt::Key_T, Qt::ShiftModifier);
  ASSERT_EQ(desktop.starts.size(), 2u);
  const fs::path book = *session->FileSystem.ToHost(run);
  // The thesaurus index names the page as the container stores it, in capitals.
  ASSERT_EQ(desktop.starts.back().size(), 4u);
  EXPECT_EQ(desktop.starts.back()[0], "--book");
  EXPECT_EQ(desktop.starts.back()[1], book.string());
  EXPECT_EQ(Cp1251ToUtf8(Cp1251LowerString(Utf8ToCp1251Lossy(desktop.starts.back()[2]))),
            Cp1251ToUtf8(Cp1251LowerString(run)) + "tesaurus1.htm#akb");
  EXPECT_EQ(desktop.starts.back()[3], "/t");
  press(Qt::Key_F1, Qt::NoModifier);
  EXPECT_EQ(desktop.starts.back()[2], Cp1251ToUtf8(run) + "help.htm#Topic13");
}

TEST_F(MainFormRolesTest, ASecondThesaurusProcessEndsAtOnceAndTheRolesComeFromTheCommandLine) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  const QString run = QString::fromStdString(Cp1251ToUtf8(session->Folders.ProgramDir));
  QProcess first;
  first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  first.start(SHELF_EXE, {"--book", SHELF_SAMPLE_BOOK, run + "tesaurus2.htm", "/t"});
  ASSERT_TRUE(first.waitForStarted());
  EXPECT_TRUE(WindowAppears("Тезаурус"));
  QProcess second;
  second.start(SHELF_EXE, {"--book", SHELF_SAMPLE_BOOK, run + "tesaurus3.htm", "/t"});
  const bool ended = second.waitForFinished(15000);
  if (!ended) second.kill();
  EXPECT_TRUE(ended);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running);

  // " /h" after a page makes the help window; "/h" alone is a page name of a plain window.
  QProcess help, plain;
  help.start(SHELF_EXE, {"--book", SHELF_SAMPLE_BOOK, run + "help.htm", "/h"});
  plain.start(SHELF_EXE, {"--book", SHELF_SAMPLE_BOOK, "/h"});
  EXPECT_TRUE(WindowAppears("Помощь"));
  EXPECT_TRUE(WindowAppears("Увеличенная картинка"));
  for (QProcess* process : {&first, &help, &plain}) {
    process->kill();
    process->waitForFinished();
  }
}

}  // namespace
}  // namespace shelf
