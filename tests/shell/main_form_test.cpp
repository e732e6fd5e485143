#include "shell/main_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include "book/book_session.h"
#include "dialogs/about_box.h"
#include "dialogs/cool_dialog.h"
#include "html/document_view.h"
#include "html/frame_viewer.h"
#include "media/background_music.h"
#include "media/media_fixture.h"
#include "media/my_avi_player.h"
#include "media/null_sink.h"
#include "media/start_clip.h"
#include "pages/html_frame.h"
#include "platform/cp1251.h"
#include "platform/shell_open.h"
#include "platform/window_bus.h"
#include "print/meta_file_printer.h"
#include "print/preview_form.h"
#include "search/find_txt_html.h"
#include "shell/book_window_test.h"
#include "widgets/color_win_control.h"
#include "widgets/my_control.h"
#include "widgets/panel_bkgrd.h"
#include "widgets/path_input_box.h"
#include "widgets/status_line.h"
#include "widgets/text_msg.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include "reading_book.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;
using test::Keyboard;

// A page body long enough to scroll.
std::string LongText() {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "<p>Текст главы";
  return text;
}

// The test of the start clip switches it back on.
class MainFormTest : public test::BookWindowTest {
 protected:
  // A loose book with the given Struct.txt (UTF-8 here, Windows-1251 on disk).
  fs::path MakeBook(const std::string& structText, const std::string& title = "Тестовая книга") {
    const fs::path book = Dir() / "book";
    test::WriteTree(book / "run", {{"Struct.txt", *Utf8ToCp1251(structText)},
                                   {"Title.txt", *Utf8ToCp1251("\r\n" + title + "\r\n\r\n")}});
    QImage picture(320, 200, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    picture.save(QString::fromStdString((book / "run/fon1.bmp").string()));
    return book;
  }
};

TEST_F(MainFormTest, OpensTheSampleBookWithItsSizeShapeAndOpeningAnimation) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  EXPECT_EQ(form.StartClip(), nullptr) << "the settings switch the start clip off";
  EXPECT_EQ(form.size(), QSize(800, 600));
  EXPECT_EQ(form.windowTitle().toStdString(), "Вектор-2107. Руководство по ремонту и эксплуатации");
  // The book's own icon, from the container, for the window and the application.
  ASSERT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_EQ(QApplication::windowIcon().pixmap(48).toImage().pixelColor(30, 30),
            QColor(38, 84, 140));
  ASSERT_FALSE(form.Shape().isEmpty());
  EXPECT_FALSE(form.Shape().contains(QPoint(2, 2)));  // a bevelled corner
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.OpeningAnimationRunning());
  EXPECT_FALSE(form.mask().contains(QPoint(400, 300)) && form.mask().contains(QPoint(10, 300)));

  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.OpeningAnimationRunning(); }, 5000));
  EXPECT_EQ(form.mask(), form.Shape());
  const QImage shown = form.grab().toImage();
  EXPECT_NE(shown.pixelColor(400, 20), QColor(Qt::white));  // the background picture is drawn
}

TEST_F(MainFormTest, TheReadingScreenShowsItsLabelsAndKeepsThePathBoxAcrossRuns) {
  for (int run = 0; run < 2; ++run) {
    auto session = Open(SHELF_SAMPLE_BOOK);
    TMainForm form(*session);
    ASSERT_EQ(form.BuildBookShell(), std::nullopt);
    ASSERT_NE(form.PathInputs(), nullptr);
    QLineEdit* box = form.PathInputs()->Edit(0);
    EXPECT_FALSE(box->isVisible());  // it belongs to the reading screen
    form.SwitchScreen(1, TElementKind::Button, 0);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(form.BusyAnimation()->isVisible());
    // The book's "c:\\" is no folder a reader can write to here: the box offers home.
    const QString home = QString::fromStdString((Dir() / "HOME").string()) + "/";
    EXPECT_EQ(box->text(), run == 0 ? home : QString::fromUtf8("/tmp/книги/"));
    box->setText("/tmp/книги/");
    // The page title label is drawn where the description puts it.
    const QImage shown = form.grab().toImage();
    bool inked = false;
    for (int x = 52; x < 300 && !inked; ++x) inked = shown.pixelColor(x, 58).lightness() > 200;
    EXPECT_TRUE(inked);
  }
}

TEST_F(MainFormTest, TheReadingScreenShowsItsPageOnThePanelAndLinksMoveBetweenPages) {
  const fs::path book = MakeBook(
      "1button vx=10;vy=10;fn1=fon1.bmp;fn2=fon1.bmp;fn3=fon1.bmp;go=2;hint=h;wav=no\r\n"
      "1_screen=fon1.bmp\r\n"
      "2_html vx=33;vy=90;vw=706;vh=511;fn=a.htm;number=1\r\n"
      "2_text vx=40;vy=60;vw=400;font=arial;size=10;style=;color=0,0,0;value=;ident=;number=1\r\n"
      "2switchone vx=10;vy=10;fn1=fon1.bmp;fn2=fon1.bmp;fn3=fon1.bmp;fn4=fon1.bmp;state=off\r\n"
      "store=off;goup=offtree1;godown=tree1;hint=h;wav=no\r\n"
      "2_path vx=400;vy=20;vw=700;vh=40;pathdef=c:\\;hint=h\r\n"
      "2_screen=fon1.bmp\r\n");
  test::WriteTree(
      book / "run",
      {{"a.htm", *Utf8ToCp1251("<title>Начало</title><p><a href=b.htm>Дальше</a>" + LongText())},
       {"b.htm", *Utf8ToCp1251("<title>Глава 2</title>" + LongText())}});
  auto session = Open(book);
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  ASSERT_NE(form.PageAreas(), nullptr);
  EXPECT_FALSE(form.BackgroundPanel()->isVisible());
  form.Dispatcher().ExecuteCommand("2", "", true, TElementKind::Button, 0);
  TFrameViewer* viewer = form.PageAreas()->CurrentScreenViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(form.BackgroundPanel()->isVisible());
  EXPECT_TRUE(form.BackgroundPanel()->isAncestorOf(viewer));
  EXPECT_EQ(form.TextMessages()->Text(0), *Utf8ToCp1251("Начало  "));

  TDocumentView* page = viewer->ActiveViewer();
  QPoint link;
  for (int y = 0; y < 100 && link.isNull(); y += 2)
    for (int x = 0; x < 300 && link.isNull(); x += 2)
      if (!page->ObjectAt({x, y}).Url.empty()) link = {x, y};
  ASSERT_FALSE(link.isNull());
  QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, link);
  EXPECT_TRUE(QTest::qWaitFor([&] { return viewer->HistoryCount() == 2; }, 2000));
  EXPECT_EQ(form.TextMessages()->Text(0), *Utf8ToCp1251("Глава 2  "));

  form.Dispatcher().ExecuteCommand("html1=a.htm", "", true, TElementKind::Button, 0);
  EXPECT_EQ(form.TextMessages()->Text(0), *Utf8ToCp1251("Начало  "));

  // Keys of the reading screen reach the window first, wherever the keyboard is. In the page
  // after a click: Shift+Z flips the "tree1" switch without its command, Ctrl+A selects the
  // page.
  QApplication::setActiveWindow(&form);
  page = viewer->ActiveViewer();
  QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, QPoint(200, 150));
  ASSERT_TRUE(page->hasFocus());
  const auto key = [](Qt::Key k, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(QApplication::focusWidget(), k, mods);
  };
  RSwthOne& treeSwitch = form.Description().Screens[1].SwitchesOne.at(0);
  ASSERT_EQ(treeSwitch.State, 0);
  key(Qt::Key_Z, Qt::ShiftModifier);
  EXPECT_EQ(treeSwitch.State, 1);
  key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_FALSE(page->SelectedText().empty());
  key(Qt::Key_Down, Qt::ShiftModifier);  // the next chapter, not a line down
  EXPECT_EQ(page->VScrollPos(), 0);
  key(Qt::Key_Down);
  EXPECT_GT(page->VScrollPos(), 0);  // a plain Down still scrolls the page
  // In the path box typing and the box's editing keys come first: Shift+T types a capital,
  // Ctrl+A and Shift+Home select its text. The window's keys that no box uses still work.
  QLineEdit* box = form.PathInputs()->Edit(0);
  page->SetCaret(0);  // no selection in the page
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 2, box->height() / 2));
  ASSERT_EQ(QApplication::focusWidget(), box);
  box->setText("/tmp/");
  key(Qt::Key_X);
  // A capital letter arrives as a keyboard types it: with its text.
  QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_T, "T", Qt::ShiftModifier);
  EXPECT_EQ(box->text(), "/tmp/xT");
  key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(box->selectedText(), "/tmp/xT");
  EXPECT_TRUE(page->SelectedText().empty());
  key(Qt::Key_End);
  key(Qt::Key_Left);
  key(Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(box->selectedText(), "/tmp/x");
  EXPECT_EQ(form.CurrentScreen(), 1);
  // Back in the page, Shift+Home goes to the first screen.
  QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, QPoint(200, 150));
  ASSERT_TRUE(page->hasFocus());
  key(Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(form.CurrentScreen(), 0);
  EXPECT_FALSE(viewer->isVisible());
  EXPECT_FALSE(form.BackgroundPanel()->isVisible());
}

// Element pictures are copied plainly: a pointer-over picture wider than the element shows its
// left part, unscaled, as a fade would show it.
TEST_F(MainFormTest, ElementPicturesOfAnotherSizeAreNotStretched) {
  const fs::path book = MakeBook(
      "1switchgrp vx=10;vy=10;fn1=g1.bmp;fn2=g2.bmp;fn3=g2.bmp;fn4=g1.bmp;state=off;store=off\r\n"
      "group=1;go=caseon;hint=G;wav=no\r\n"
      "1_screen=fon1.bmp\r\n");
  QImage normal(40, 20, QImage::Format_RGB888);
  normal.fill(Qt::gray);
  normal.save(QString::fromStdString((book / "run/g1.bmp").string()));
  QImage wide(80, 20, QImage::Format_RGB888);
  wide.fill(Qt::blue);
  QPainter(&wide).fillRect(0, 0, 40, 20, Qt::green);
  wide.save(QString::fromStdString((book / "run/g2.bmp").string()));
  auto session = Open(book);
  TMainForm form(*session);
  ASSERT_NO_FATAL_FAILURE(ShowBookWindow(form));
  QTest::mouseMove(&form, QPoint(20, 20));
  ASSERT_EQ(form.Description().Screens[0].SwitchesGrp[0].Hover, 1);
  const QImage shown = form.grab().toImage();
  EXPECT_EQ(shown.pixelColor(45, 20), QColor(Qt::green));
  EXPECT_EQ(shown.pixelColor(55, 20), QColor(Qt::darkCyan));  // nothing beyond the element
}

TEST_F(MainFormTest, CloseRunsTheClosingAnimationAndEndsTheApplication) {
  auto session = Open(MakeBook("1_screen=fon1.bmp\r\n"));
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  EXPECT_EQ(form.size(), QSize(320, 200));
  EXPECT_TRUE(form.Shape().isEmpty());  // no vertexmain: a plain rectangle

  form.close();  // ignored while the window opens
  EXPECT_FALSE(form.ClosingAnimationRunning());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.OpeningAnimationRunning(); }, 5000));

  form.close();
  EXPECT_TRUE(form.isVisible());  // the close is refused: the animation ends the program
  EXPECT_TRUE(form.ClosingAnimationRunning());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.ClosingAnimationRunning(); }, 5000));
  EXPECT_FALSE(form.isVisible());
}

// One busy flag and one hourglass, however often it is set.
TEST_F(MainFormTest, BusyIsOneFlagWithOneCursor) {
  auto session = Open(MakeBook("1_screen=fon1.bmp\r\n"));
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  form.SetBusy(true);
  form.SetBusy(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  form.SetBusy(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  form.SetBusy(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// With its setting on, the start clip plays before the window shows; Escape, sent as a reader's
// key reaches the clip, ends it and the book opens.
TEST_F(MainFormTest, TheStartClipPlaysBeforeTheWindowAndEscapeEndsIt) {
  test::SetSampleBookStartClip(true);
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  EXPECT_FALSE(form.isVisible());
  TStartClip* clip = form.StartClip();
  ASSERT_NE(clip, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return clip->isVisible(); }, 15000));
  EXPECT_FALSE(form.isVisible());
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : clip, Qt::Key_Escape);
  EXPECT_TRUE(clip->Finished());
  EXPECT_FALSE(clip->isVisible());
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.OpeningAnimationRunning());
}

// The sample book's media through the window: the songs start once the window has painted, the
// music button fades them out, the reading screen's clip plays in its window, "3d" plays the
// title's film and keeps it waiting while another screen shows.
TEST_F(MainFormTest, TheSampleBookPlaysItsMusicClipAndFilm) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  ASSERT_NE(form.Music(), nullptr);
  EXPECT_TRUE(form.Options().BGSound);
  EXPECT_FALSE(form.Music()->Player().Opened()) << "the window paints before the music starts";
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.Music()->Player().Opened(); }, 5000));
  EXPECT_EQ(form.Music()->SongIndex(), 0);
  form.Dispatcher().ExecuteCommand("bgsound", "", true, TElementKind::Button, 0);
  EXPECT_FALSE(form.Options().BGSound);
  EXPECT_TRUE(form.Music()->Stopping()) << "it fades out while the window answers";
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form.Music()->Player().Opened(); }, 11000));

  form.Dispatcher().ExecuteCommand("3d", "", true, TElementKind::SwitchOne, 0);
  ASSERT_NE(form.VideoPanel(), nullptr);
  EXPECT_TRUE(form.VideoPanel()->Active());

  form.SwitchScreen(1, TElementKind::Button, 0);
  TSound* clips = form.Clips();
  ASSERT_NE(clips, nullptr);
  ASSERT_EQ(clips->ClipWindows().size(), 1u);
  EXPECT_TRUE(clips->ClipWindows()[0]->isVisible());
  EXPECT_TRUE(form.VideoPanel()->Held()) << "the film waits on the title screen";
  form.Dispatcher().ExecuteCommand("clip=media\\wheel.avi=driveline.htm", "", true,
                                   TElementKind::Button, 0);
  EXPECT_TRUE(clips->Opened());
  EXPECT_TRUE(clips->HasVideo());
  EXPECT_EQ(clips->Display(), clips->ClipWindows()[0]);
  const QWidget* clipWindow = clips->ClipWindows()[0];
  const auto* pagePanel = form.findChild<TPanelBkgrd*>();
  ASSERT_NE(pagePanel, nullptr);
  EXPECT_FALSE(clipWindow->geometry().intersects(pagePanel->geometry())) << "beside the page";
  EXPECT_TRUE(Cp1251LowerString(form.PageAreas()->CurrentScreenViewer()->CurrentFile())
                  .ends_with("driveline.htm"));
  form.Dispatcher().ExecuteCommand("stop", "", true, TElementKind::Button, 0);
  EXPECT_EQ(clips->Mode(), 1);
}

// A ".wav" link of a page and a sound file dropped on the window play through the clip player
// and are really heard on a (null) sound card.
TEST_F(MainFormTest, SoundLinksAndDroppedSoundsAreHeard) {
  test::TNullSink sink(Dir());
  if (!sink.Error().empty()) GTEST_SKIP() << sink.Error();
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  form.Dispatcher().ExecuteCommand("bgsound", "", true, TElementKind::Button, 0);  // quiet
  form.SwitchScreen(1, TElementKind::Button, 0);
  form.PageAreas()->OpenLinkedPage(session->Folders.ProgramDir + "lighting.htm");
  TDocumentView* page = form.PageAreas()->CurrentScreenViewer()->ActiveViewer();
  ASSERT_NE(page, nullptr);
  page->verticalScrollBar()->setValue(page->verticalScrollBar()->maximum());  // near the end
  QPoint link(-1, -1);
  for (int y = 0; y < page->viewport()->height() && link.x() < 0; y += 3)
    for (int x = 0; x < page->viewport()->width() && link.x() < 0; x += 3)
      if (page->ObjectAt({x, y}).Url == "horn.wav") link = {x, y};
  ASSERT_GE(link.x(), 0) << "the horn link shows at the end of the page";

  TSound& clips = *form.Clips();
  const auto heard = [&](const auto& play, const char* name) {
    sink.StartRecording();
    play();
    EXPECT_TRUE(Cp1251LowerString(clips.FileName).ends_with(name)) << clips.FileName;
    EXPECT_TRUE(clips.Opened()) << name;
    EXPECT_TRUE(QTest::qWaitFor([&] { return clips.Mode() != 2; }, 5000)) << name;
    const auto levels = sink.StopRecording(std::chrono::milliseconds(50));
    EXPECT_GE(test::FirstLoud(levels, 0.05), 0) << name << " was not heard";
  };
  heard([&] { QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, link); }, "horn.wav");
  // A sound file on disk, as the desktop drops one.
  const fs::path exit = fs::path(SHELF_SAMPLE_BOOK).parent_path() / "run/exit.wav";
  heard(
      [&] {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(exit.string()))});
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
      },
      "exit.wav");
}

TEST_F(MainFormTest, RefusesABookWithoutStructTxtAndASecondCopyOfTheSameBook) {
  const fs::path book = MakeBook("1_screen=fon1.bmp\r\n");
  auto first = Open(book);
  TMainForm shown(*first);
  ASSERT_EQ(shown.BuildBookShell(), std::nullopt);

  auto second = Open(book);
  TMainForm copy(*second);
  EXPECT_EQ(copy.BuildBookShell(), 0);  // ends at once, quietly
  EXPECT_TRUE(copy.NotMainShell());
  EXPECT_FALSE(copy.isVisible());

  fs::remove(book / "run/Struct.txt");
  auto broken = Open(book);
  TMainForm none(*broken);
  EXPECT_EQ(none.BuildBookShell(), 1);
}

// However a book is named, one that is not there or not a book ends the program with a message
// that names it, and no window: a path is never taken as a page or a switch instead.
TEST_F(MainFormTest, TheProgramRefusesBadBooksWithAClearMessage) {
  const fs::path empty = Dir() / "empty/run";
  fs::create_directories(empty);
  test::WriteTree(Dir() / "damaged/run", {{"interface.dat", std::string("\x01\x02\x03", 3)},
                                          {"Struct.txt", "1_screen=a.bmp"}});
  test::WriteTree(Dir(), {{"notes.txt", "x"}});
  const auto path = [&](const char* name) {
    return QString::fromStdString((Dir() / name).string());
  };
  struct Case {
    QStringList arguments;
    const char* message;
  } cases[] = {{{"--book", path("empty/run")}, "Struct.txt"},
               {{"--book", path("damaged")}, "interface.dat"},
               {{"--book", path("nowhere")}, "does not exist"},
               {{path("nosuch")}, "does not exist"},  // a folder of /tmp is no thesaurus page
               {{"/home/nosuch"}, "does not exist"},  // nor one of /home a help page
               {{path("nosuch"), "/t"}, "does not exist"},
               {{"d:\\book\\pic.bmp"}, "does not exist"},
               {{path("notes.txt")}, "no book holds"},
               {{path("empty")}, "is not a book"}};
  for (const auto& c : cases) {
    QProcess shelf;
    shelf.setProcessChannelMode(QProcess::SeparateChannels);
    shelf.start(SHELF_EXE, c.arguments);
    const bool ended = shelf.waitForFinished(10000);
    if (!ended) shelf.kill();
    EXPECT_TRUE(ended) << c.arguments.join(' ').toStdString();
    EXPECT_NE(shelf.exitCode(), 0) << c.arguments.join(' ').toStdString();
    const QString error = QString::fromUtf8(shelf.readAllStandardError());
    EXPECT_TRUE(error.contains(c.message)) << error.toStdString();
    const QString named = c.arguments[c.arguments[0] == "--book" ? 1 : 0];
    EXPECT_TRUE(error.contains(named)) << error.toStdString();
  }
}

TEST_F(MainFormTest, TheFindPageOpensFromItsKeyAndItsButtonAndMessagesUseTheDialog) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_NO_FATAL_FAILURE(ShowBookWindow(form));
  TCoolDialog* dialog = form.CoolDialog();
  TFindTxtHtml* finder = form.FindBoxes();
  ASSERT_TRUE(dialog && finder);
  ASSERT_EQ(dialog->Pages().size(), 4u);
  EXPECT_FALSE(dialog->isVisible());
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  const auto findKey = [&] {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(Keyboard(), Qt::Key_F, Qt::ControlModifier);
  };

  findKey();  // only where pages are read
  EXPECT_FALSE(dialog->isVisible());
  form.SwitchScreen(1, TElementKind::Button, 0);
  findKey();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->CurrentPage(), TCoolDialog::kFindPage);
  EXPECT_EQ(dialog->height(), 115);  // no results yet
  const QRect over = form.geometry();
  EXPECT_EQ(dialog->x() + dialog->width() / 2, over.left() + over.width() / 2);
  // Esc where the keyboard is, in the find box, closes the page.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->FadingIn(); }, 3000));
  ASSERT_EQ(Keyboard(), finder->Box(0));
  QTest::keyClick(Keyboard(), Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());

  // The find tool on the rail, pressed and released by the pointer.
  const QPoint tool(727 + 28, 422 + 19);
  QWidget* hint = form.childAt(tool);
  ASSERT_NE(hint, nullptr);
  const QPoint at = hint->mapFrom(&form, tool);
  QTest::mouseMove(hint, at);
  QTest::mousePress(hint, Qt::LeftButton, {}, at);
  QTest::mouseRelease(hint, Qt::LeftButton, {}, at);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->CurrentPage(), TCoolDialog::kFindPage);

  // A found page chosen in the result list opens in the page area.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->FadingIn(); }, 3000));
  const std::string brakes = session->Folders.ProgramDir + "brakes.htm";
  dialog->ShowFindResults({session->Folders.ProgramDir + "engine.htm", brakes},
                          {*Utf8ToCp1251("2. Двигатель"), *Utf8ToCp1251("6. Тормоза")});
  QListWidget* list = dialog->ResultList();
  ASSERT_NE(list, nullptr);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(1)).center());
  TFrameViewer* viewer = form.PageAreas()->CurrentScreenViewer();
  EXPECT_TRUE(Cp1251LowerString(viewer->CurrentFile()).ends_with("brakes.htm"));

  // A word the book lacks: the status line says so until the find page closes.
  QTest::mouseClick(finder->Box(0), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(Keyboard(), finder->Box(0));
  QTest::keyClicks(Keyboard(), "qqq");
  QTest::keyClick(Keyboard(), Qt::Key_Return);
  EXPECT_EQ(form.StatusLine()->Message(), *Utf8ToCp1251("Текст не найден"));
  QTest::keyClick(Keyboard(), Qt::Key_Escape);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_TRUE(form.StatusLine()->Message().empty());
  EXPECT_FALSE(form.StatusLine()->Blinking());

  // A message after the find page was used owns the keyboard: letters stay out of the hidden
  // find box, Enter says yes and Esc closes it, whether the find page was open or not.
  for (const bool findPageOpen : {true, false}) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
      if (findPageOpen) findKey();
      form.Dispatcher().ExecuteCommand("unarc", "", true, TElementKind::Button, 0);
      EXPECT_EQ(dialog->CurrentPage(), TCoolDialog::kMessagePage);
      EXPECT_TRUE(dialog->isVisible());
      ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->FadingIn(); }, 3000));
      EXPECT_EQ(Keyboard(), dialog);
      QTest::keyClicks(Keyboard(), "w");
      EXPECT_EQ(finder->Box(0)->text(), "qqq");
      QTest::keyClick(Keyboard(), key);
      EXPECT_FALSE(dialog->isVisible()) << findPageOpen << " " << key;
      if (key == Qt::Key_Return) EXPECT_EQ(dialog->DialogResult(), TCoolDialog::kResultYes);
    }
  }
}

// Clicks the link to `url` where the page shows it, scrolling down to it as a reader would;
// false when the page has no such link.
bool ClickLink(TDocumentView& page, const std::string& url) {
  QScrollBar* scroll = page.verticalScrollBar();
  scroll->setValue(scroll->minimum());
  for (;;) {
    for (int y = 0; y < page.viewport()->height(); y += 3)
      for (int x = 0; x < page.viewport()->width(); x += 3)
        if (page.ObjectAt({x, y}).Url == url) {
          QTest::mouseClick(page.viewport(), Qt::LeftButton, {}, {x, y});
          return true;
        }
    if (scroll->value() == scroll->maximum()) return false;
    scroll->setValue(scroll->value() + scroll->pageStep());
  }
}

TEST_F(MainFormTest, TheFindPageSearchesTheSampleBookByTypingAndClicks) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_NO_FATAL_FAILURE(ShowBookWindow(form));
  form.SwitchScreen(1, TElementKind::Button, 0);
  TFrameViewer* viewer = form.PageAreas()->CurrentScreenViewer();
  TCoolDialog* dialog = form.CoolDialog();
  TFindTxtHtml* finder = form.FindBoxes();
  ASSERT_TRUE(viewer && dialog && finder);
  const auto selected = [&] {
    return Cp1251ToUtf8(Cp1251LowerString(viewer->ActiveViewer()->SelectedText()));
  };
  const auto shown = [&] { return Cp1251LowerString(viewer->CurrentFile()); };

  QTest::keyClick(Keyboard(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(dialog->isVisible());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->FadingIn(); }, 3000));
  ASSERT_EQ(Keyboard(), finder->Box(0));  // the first box takes the keyboard at once
  const auto search = [&](const QString& word) {
    QTest::keyClick(Keyboard(), Qt::Key_End);
    QTest::keyClick(Keyboard(), Qt::Key_Home, Qt::ShiftModifier);
    // Letters a Russian keyboard types: QTest's own typing knows only ASCII keys.
    for (const QChar letter : word)
      QTest::sendKeyEvent(QTest::Click, Keyboard(), Qt::Key_unknown, QString(letter), {});
    QTest::keyClick(Keyboard(), Qt::Key_Return);
  };
  const auto click = [&](QWidget* window, QPoint at) {
    QWidget* target = window->childAt(at) ? window->childAt(at) : window;
    const QPoint local = target->mapFrom(window, at);
    QTest::mouseMove(target, local);
    QTest::mousePress(target, Qt::LeftButton, {}, local);
    QTest::mouseRelease(target, Qt::LeftButton, {}, local);
  };
  const auto openResult = [&](const std::string& title) {
    QListWidget* list = dialog->ResultList();
    ASSERT_NE(list, nullptr);
    const auto items = list->findItems(QString::fromStdString(title), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << title;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items[0]).center());
  };

  // This page: the switch that is on at first. The word's forms are found too, in their order
  // on the page.
  search(QString::fromUtf8("двигателем"));
  EXPECT_TRUE(shown().ends_with("welcome.htm"));
  EXPECT_EQ(selected(), "двигатели");
  QTest::keyClick(Keyboard(), Qt::Key_Return);
  EXPECT_EQ(selected(), "двигателем");

  // All pages through the index; a found page opens with the word selected.
  click(dialog, QPoint(138 + 20, 88 + 10));
  click(finder->Box(0), QPoint(5, 5));
  search(QString::fromUtf8("колодки"));
  EXPECT_GE(finder->ResultFiles().size(), 2u);
  if (const char* keep = std::getenv("SHELF_SCREENSHOTS")) {
    // The window as the reader sees it, with the dialog over it (the list lays out its rows
    // once the event loop runs).
    QTest::qWait(50);
    QImage shot = form.grab().toImage();
    QPainter(&shot).drawImage(dialog->geometry().topLeft() - form.geometry().topLeft(),
                              dialog->grab().toImage());
    shot.save(QString::fromStdString((fs::path(keep) / "find-page.png").string()));
  }
  openResult("6.2. Замена тормозных колодок");
  EXPECT_TRUE(shown().ends_with("brakes_pads.htm"));
  EXPECT_EQ(selected(), "колодки");

  // Every page with a form of the word: those whose title holds it first, then those with the
  // word as typed; never «двигать». The list shows them in that order, and bookfind agrees.
  click(finder->Box(0), QPoint(5, 5));
  search(QString::fromUtf8("двигатель"));
  std::vector<std::string> titles;
  for (const std::string& title : finder->ResultTitles()) titles.push_back(Cp1251ToUtf8(title));
  ASSERT_GE(titles.size(), 10u);
  EXPECT_EQ(
      std::vector<std::string>(titles.begin(), titles.begin() + 4),
      (std::vector<std::string>{"2.2. Снятие и установка двигателя", "2.1. Устройство двигателя",
                                "1.3. Номера кузова и двигателя", "2.8. Система питания"}));
  EXPECT_EQ(std::count(titles.begin(), titles.end(), "4.3. Колёса и шины"), 0);
  QListWidget* list = dialog->ResultList();
  ASSERT_EQ(list->count(), int(titles.size()));
  for (int row = 0; row < list->count(); ++row)
    EXPECT_EQ(list->item(row)->text().toStdString(), titles[row]);
  QProcess bookfind;
  bookfind.start(SHELF_BOOKFIND, {SHELF_SAMPLE_BOOK, QString::fromUtf8("двигатель")});
  ASSERT_TRUE(bookfind.waitForFinished(30000));
  EXPECT_EQ(bookfind.exitCode(), 0);
  std::vector<std::string> toolTitles;
  for (const QString& line : QString::fromUtf8(bookfind.readAllStandardOutput()).split('\n'))
    if (!line.isEmpty()) toolTitles.push_back(line.section('\t', 1).toStdString());
  EXPECT_EQ(toolTitles, titles);

  // A word the index leaves out: the pages are scanned, the excluded folder is not.
  click(finder->Box(0), QPoint(5, 5));
  search(QString::fromUtf8("щупом"));
  EXPECT_EQ(finder->ResultFiles().size(), 4u);  // the thesaurus's «Щуп» is a form of it
  for (const std::string& file : finder->ResultFiles())
    EXPECT_EQ(Cp1251LowerString(file).find("doc\\"), std::string::npos) << file;
  openResult("2.4. Регулировка зазоров в клапанах");
  EXPECT_TRUE(shown().ends_with("engine_valves.htm"));
  EXPECT_EQ(selected(), "щуп");  // the first form on the page

  // The contents: the chapter whose caption holds the word opens.
  click(dialog, QPoint(264 + 20, 88 + 10));
  click(finder->Box(0), QPoint(5, 5));
  search(QString::fromUtf8("прокачка"));
  EXPECT_TRUE(shown().ends_with("brakes_bleeding.htm"));
}

// Records what the sample book's links hand to the desktop.
class RecordingDesktop : public TShellOpen {
 public:
  bool OpenUrl(const std::string& url) override { return Record("url " + url); }
  bool OpenFile(const fs::path& file) override { return Record("open " + file.string()); }
  bool HasHandler(const fs::path&) override { return true; }
  bool SetCurrentFolder(const fs::path&) override { return true; }
  std::optional<fs::path> AskSaveFile(QWidget*, const fs::path&, const std::string& name,
                                      const std::string&) override {
    Record("save " + name);
    return std::nullopt;
  }
  bool StartOwnCopy(const std::vector<std::string>& arguments) override {
    return Record("picture " + arguments.back());
  }
  bool Record(const std::string& call) {
    Calls.push_back(call);
    return true;
  }
  std::vector<std::string> Calls;
};

TEST_F(MainFormTest, EveryKindOfLinkOfTheSampleBookWorksByAClick) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  form.SwitchScreen(1, TElementKind::Button, 0);
  RecordingDesktop desktop;
  form.PageAreas()->Links().SetDesktop(desktop);
  const fs::path out = Dir() / "copies";
  form.PathInputs()->Edit(0)->setText(QString::fromStdString(out.string()));
  form.PageAreas()->OpenLinkedPage(session->Folders.ProgramDir + "app_files.htm");
  TFrameViewer* viewer = form.PageAreas()->CurrentScreenViewer();
  TDocumentView* page = viewer->ActiveViewer();
  ASSERT_NE(page, nullptr);
  const auto click = [&](const std::string& url) { return ClickLink(*page, url); };
  const fs::path book = *session->FileSystem.ToHost(session->Folders.BookRoot);
  const std::string base = Cp1251LowerString(session->Folders.BookRoot);
  struct Case {
    std::string url, call;
  } cases[] = {
      {"files/forms.zip", "save forms.zip"},
      {"files/torque_chart.pdf", "open " + (book / "run/files/torque_chart.pdf").string()},
      {"files/idle.wav", ""},  // the clip player plays it
      {"pic/car_side.jpg", "picture " + Cp1251ToUtf8(base) + "run\\pic\\car_side.jpg"},
      {"e:\\samplebook\\setup\\setup.exe", "open " + (book / "setup/setup.exe").string()},
      {"mailto:kniga@vektor-avto.example", "url mailto:kniga@vektor-avto.example"},
      {"http://www.vektor-avto.example/files/", "url http://www.vektor-avto.example/files/"},
      {"copy:doc/checklist.txt", ""},
      {"copylist:series", ""},
  };
  for (const Case& c : cases) {
    desktop.Calls.clear();
    ASSERT_TRUE(click(c.url)) << c.url;
    EXPECT_EQ(desktop.Calls.empty() ? "" : desktop.Calls.front(), c.call) << c.url;
    EXPECT_TRUE(Cp1251LowerString(viewer->CurrentFile()).ends_with("app_files.htm")) << c.url;
  }
  EXPECT_TRUE(Cp1251LowerString(form.Clips()->FileName).ends_with("files\\idle.wav"));
  EXPECT_FALSE(test::ReadFile(out / "checklist.txt").empty());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("XVK210700Y — 2000"));
  EXPECT_EQ(form.StatusLine()->Message(), *Utf8ToCp1251("Серийный номер скопирован"));
}

TEST_F(MainFormTest, ADroppedArchiveIsListedAndUnarcUnpacksItIntoThePathBoxFolder) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  form.SwitchScreen(1, TElementKind::Button, 0);
  const fs::path out = Dir() / "out";
  fs::create_directories(out);
  form.PathInputs()->Edit(0)->setText(QString::fromStdString(out.string()));
  TFrameViewer* viewer = form.PageAreas()->CurrentScreenViewer();
  ASSERT_NE(viewer, nullptr);
  const std::string before = viewer->CurrentFile();

  const auto dropFile = [&](const fs::path& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    // As the desktop delivers a drop: the window first takes the drag, then the drop.
    QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &drop);
  };
  const fs::path book = fs::path(SHELF_SAMPLE_BOOK).parent_path();
  dropFile(book / "run" / "files" / "wiring.rar");
  ASSERT_NE(form.UnRar(), nullptr);
  EXPECT_EQ(viewer->CurrentFile(), form.UnRar()->TempFolder() + "as_wiring.rar.htm");
  EXPECT_TRUE(form.PageAreas()->ArchiveMode());
  EXPECT_EQ(form.UnRar()->SourcePages(), std::vector<std::string>{before});

  form.Dispatcher().ExecuteCommand("unarc", "", true, TElementKind::Button, 0);
  EXPECT_TRUE(fs::exists(out / "wiring.rar" / "Схемы" / "Кузов" / "размеры.txt"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // busy only while unpacking

  dropFile(book / "run" / "app_materials.htm");  // a page opens as a page
  EXPECT_EQ(AsciiLower(viewer->CurrentFile()).substr(viewer->CurrentFile().size() - 17),
            "app_materials.htm");
}

// What a preview showed, kept after the window is gone.
struct ShownPreview {
  bool Landscape = false;
  double StartScale = 0;
  int Sheets = 0;
  std::int64_t Window = 0;
};

TEST_F(MainFormTest, TheWiringDiagramViewersPrintRequestPreviewsItsPictureAndIsAnswered) {
  qputenv("CUPS_SERVER", (Dir() / "no-cups.sock").string().c_str());
  auto session = Open(test::MakeReadingBook(Dir()));
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  THtmlFrame* pages = form.PageAreas();
  pages->PrinterNotice = [](int, const std::string&) {};
  std::vector<ShownPreview> shown;
  pages->ShowPreview = [&](TPreviewForm& preview) {
    shown.push_back({preview.Recorder().Landscape(), preview.StartPrintScale(),
                     preview.Recorder().PageCount(), static_cast<std::int64_t>(preview.winId())});
  };
  // The viewer leaves a wide picture in the program's temporary folder and asks for it.
  const fs::path temp = *session->FileSystem.ToHost(session->Folders.TempDir);
  const fs::path scheme = temp / "scheme.png";
  QImage picture(1600, 500, QImage::Format_RGB888);
  picture.fill(Qt::darkBlue);
  ASSERT_TRUE(picture.save(QString::fromStdString(scheme.string())));
  QWidget viewer;
  viewer.setWindowTitle(QString::fromUtf8("Электросхема"));
  viewer.show();
  TWindowBus viewerBus(viewer);
  std::vector<std::pair<int, std::int64_t>> answers;
  viewerBus.OnMessage = [&](int code, std::int64_t parameter, const TWindowId&) {
    answers.emplace_back(code, parameter);
  };
  CopyDataRecord record =
      CopyDataRecord::Make(CopyDataRecord::kPrintFile, *session->FileSystem.ToDos(scheme, false));
  record.Count = 3;
  record.ItemTypes = {0, 1, 2};
  record.SetItem(1, "1600");
  record.SetItem(2, "500");
  ASSERT_FALSE(form.Bus()->Id().empty());
  ASSERT_TRUE(viewerBus.SendCopyDataTo(form.Bus()->Id(), record));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.empty(); }, 5000));
  EXPECT_TRUE(shown[0].Landscape);
  EXPECT_LT(shown[0].StartScale, 1.0);
  EXPECT_EQ(shown[0].Sheets, 1);
  EXPECT_FALSE(fs::exists(scheme));  // the sender's print file, in our temporary folder
  // The preview told the viewer which window shows its picture.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.empty(); }, 2000));
  EXPECT_EQ(answers[0], std::make_pair(1690, shown[0].Window));

  // The request's picture flag was for that file only: a long page printed next is a page.
  pages->PrintPage(session->Folders.ProgramDir + "b.htm");
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_FALSE(shown[1].Landscape);
  EXPECT_EQ(shown[1].StartScale, 1.0);
  EXPECT_GT(shown[1].Sheets, 1);
}

TEST_F(MainFormTest, ThePreviewOfCtrlPBlocksTheWindowAndHandsItsF1ToTheWindowsHelp) {
  qputenv("CUPS_SERVER", (Dir() / "no-cups.sock").string().c_str());
  auto session = Open(test::MakeReadingBook(Dir()));
  TMainForm form(*session);
  ASSERT_NO_FATAL_FAILURE(ShowBookWindow(form));
  form.SwitchScreen(1, TElementKind::Button, 0);
  THtmlFrame* pages = form.PageAreas();
  pages->PrinterNotice = [](int, const std::string&) {};
  ASSERT_TRUE(pages->PreviewHelp);  // wired to the window's help
  int helps = 0;
  pages->PreviewHelp = [&] { ++helps; };
  bool opened = false;
  int screenWhileOpen = -1;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* preview = dynamic_cast<TPreviewForm*>(QApplication::activeModalWidget());
    if (!preview || !preview->isVisible()) return;
    poll.stop();
    opened = true;
    // The reader's Shift+Home would leave the reading screen: not while the preview is open.
    QTest::keyClick(form.windowHandle(), Qt::Key_Home, Qt::ShiftModifier);
    screenWhileOpen = form.CurrentScreen();
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == preview ? focus : preview, Qt::Key_F1);
    QTest::keyClick(focus && focus->window() == preview ? focus : preview, Qt::Key_Escape);
  });
  poll.start();
  QTest::keyClick(form.windowHandle(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_TRUE(opened);
  EXPECT_EQ(screenWhileOpen, 1);
  EXPECT_EQ(helps, 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  QTest::keyClick(form.windowHandle(), Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(form.CurrentScreen(), 0);
}

// Without a printer the book's notice comes first, modal, and the preview opens once the
// reader has closed it, never above it.
TEST_F(MainFormTest, TheNoPrinterNoticeComesFirstAndThePreviewAfterIt) {
  qputenv("CUPS_SERVER", (Dir() / "no-cups.sock").string().c_str());
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_NO_FATAL_FAILURE(ShowBookWindow(form));
  form.SwitchScreen(1, TElementKind::Button, 0);
  TCoolDialog* dialog = form.CoolDialog();
  ASSERT_NE(dialog, nullptr);
  const auto previewShown = [] {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (dynamic_cast<TPreviewForm*>(window) && window->isVisible()) return true;
    return false;
  };
  std::vector<std::string> seen;
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* top = QApplication::activeModalWidget();
    // The reader clicks once the notice has faded in.
    if (top == dialog && dialog->isVisible() && !dialog->FadingIn() && seen.empty()) {
      seen.push_back("notice");
      EXPECT_EQ(dialog->CurrentPage(), TMetaFilePrinter::kNoPrinterPage);
      EXPECT_FALSE(previewShown());
      ASSERT_FALSE(dialog->HintControls().empty());
      QWidget* button = dialog->HintControls()[0];  // its one button, pressed by the pointer
      const QPoint at = button->rect().center();
      QTest::mousePress(button, Qt::LeftButton, {}, at);
      QTest::mouseRelease(button, Qt::LeftButton, {}, at);
    } else if (auto* preview = dynamic_cast<TPreviewForm*>(top); preview && preview->isVisible()) {
      seen.push_back("preview");
      poll.stop();
      QTest::keyClick(preview, Qt::Key_Escape);
    }
  });
  poll.start();
  QTest::keyClick(form.windowHandle(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(seen, (std::vector<std::string>{"notice", "preview"}));
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(MainFormTest, TheSampleBooksWiringChapterPrintsOnSeveralSheetsAndItsDiagramLandscape) {
  qputenv("CUPS_SERVER", (Dir() / "no-cups.sock").string().c_str());
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_NO_FATAL_FAILURE(ShowBookWindow(form));
  form.SwitchScreen(1, TElementKind::Button, 0);
  THtmlFrame* pages = form.PageAreas();
  std::vector<int> notices;
  pages->PrinterNotice = [&](int page, const std::string&) { notices.push_back(page); };
  std::vector<ShownPreview> shown;
  std::vector<int> pdfPages;
  const char* keep = std::getenv("SHELF_SCREENSHOTS");
  pages->ShowPreview = [&](TPreviewForm& preview) {
    shown.push_back({preview.Recorder().Landscape(), preview.StartPrintScale(),
                     preview.Recorder().PageCount(), 0});
    // No printer here: the reader prints into a PDF file, sheet for sheet.
    const std::string name = "sample-" + std::to_string(shown.size());
    const fs::path pdf = Dir() / (name + ".pdf");
    preview.AskPdfFileName = [&] { return QString::fromStdString(pdf.string()); };
    preview.Print();
    pdfPages.push_back(test::PdfPages(pdf));
    // Every sheet opens with its page number on a line of its own, above the content.
    for (int sheet = 1; sheet <= pdfPages.back(); ++sheet) {
      const std::vector<std::string> lines = test::PdfSheetLines(pdf, sheet);
      ASSERT_FALSE(lines.empty()) << name << ", sheet " << sheet;
      EXPECT_EQ(lines[0], "Страница " + std::to_string(sheet)) << name << ", sheet " << sheet;
    }
    if (!keep) return;
    fs::copy_file(pdf, fs::path(keep) / (name + ".pdf"), fs::copy_options::overwrite_existing);
    preview.resize(1000, 720);
    preview.show();
    QTest::qWait(50);
    preview.grab().save(QString::fromStdString((fs::path(keep) / (name + ".png")).string()));
  };
  pages->OpenLinkedPage(session->Folders.ProgramDir + "app_wiring.htm");
  TDocumentView* page = pages->CurrentScreenViewer()->ActiveViewer();
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(ClickLink(*page, "printhtml:app_wiring.htm"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_FALSE(shown[0].Landscape);
  EXPECT_GE(shown[0].Sheets, 3);
  ASSERT_TRUE(ClickLink(*page, "printhtml:pic/wiring_scheme.gif"));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[1].Landscape);
  EXPECT_EQ(shown[1].Sheets, 1);
  EXPECT_LT(shown[1].StartScale, 1.0);
  // The diagram opened as the page on show prints the same way from the print button's command.
  ASSERT_TRUE(ClickLink(*page, "pic/wiring_scheme.gif"));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return AsciiLower(form.PageAreas()->CurrentScreenViewer()->CurrentFile())
            .ends_with("wiring_scheme.gif");
      },
      3000));
  form.Dispatcher().ExecuteCommand("printhtml", "", true, TElementKind::Button, 0);
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_TRUE(shown[2].Landscape);
  EXPECT_EQ(shown[2].Sheets, 1);
  // Without a printer the reader is told so each time and still gets the preview (and a PDF).
  EXPECT_EQ(notices, std::vector<int>(3, TMetaFilePrinter::kNoPrinterPage));
  EXPECT_EQ(pdfPages, (std::vector<int>{shown[0].Sheets, 1, 1}));
}

// The title screen's "О книге" button opens the book's about box, modally and with its fade-in
// alone (window animation is for the start only); its button closes it and so does closing the
// book.
TEST_F(MainFormTest, TheAboutButtonOpensTheAboutBoxWhichItsButtonAndTheBooksEndClose) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_NO_FATAL_FAILURE(ShowBookWindow(form));
  EXPECT_EQ(form.AboutBox(), nullptr);  // made on first use
  // The title screen's button through the hint control over it, as the find tool is pressed
  // above; the box through its own window.
  const QPoint aboutButton(412 + 75, 527 + 18);
  const auto pressAbout = [&] {
    QWidget* hint = form.childAt(aboutButton);
    ASSERT_NE(hint, nullptr);
    const QPoint at = hint->mapFrom(&form, aboutButton);
    QTest::mouseMove(hint, at);
    QTest::mousePress(hint, Qt::LeftButton, {}, at);
    QTest::mouseRelease(hint, Qt::LeftButton, {}, at);
  };
  const auto clickBox = [](TAboutBox& box, QPoint at) {
    QTest::mouseMove(box.windowHandle(), at);
    QTest::mousePress(box.windowHandle(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(box.windowHandle(), Qt::LeftButton, {}, at);
  };
  pressAbout();
  TAboutBox* box = form.AboutBox();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_TRUE(box->isModal());
  EXPECT_TRUE(box->FadingIn());
  EXPECT_FALSE(box->Revealing());
  EXPECT_EQ(box->size(), QSize(420, 300));
  EXPECT_FALSE(box->mask().contains(QPoint(2, 2)));  // a cut corner
  ASSERT_EQ(box->Buttons().size(), 3u);              // the closing button and two links
  EXPECT_EQ(box->Buttons()[2].Record.Command,
            "mailto:kniga@vektor-avto.example?subject=" + *Utf8ToCp1251("Вектор-2107"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !box->FadingIn(); }, 5000));
  EXPECT_NE(box->grab().toImage().pixelColor(200, 150), QColor(Qt::black));

  clickBox(*box, QPoint(320 + 40, 254 + 14));
  EXPECT_FALSE(box->isVisible());
  pressAbout();
  EXPECT_EQ(form.AboutBox(), box);  // kept for the run
  ASSERT_TRUE(QTest::qWaitFor([&] { return !box->FadingIn(); }, 5000));
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus ? focus : box, Qt::Key_Escape);  // the box's own key, not the window's
  EXPECT_FALSE(box->isVisible());
  pressAbout();
  EXPECT_TRUE(box->isVisible());
  form.CloseAllAndQuit();
  EXPECT_FALSE(box->isVisible());
}

}  // namespace
}  // namespace shelf
