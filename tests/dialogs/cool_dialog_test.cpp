#include "dialogs/cool_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "platform/font_table.h"
#include "platform/registry.h"
#include "store/book_text.h"
#include "test_support.h"
#include "widgets/my_control.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;
using test::Keyboard;

constexpr const char* kKey = "SOFTWARE\\Brevandor\\Test";

const char* const kDialog =
    "1_picture=msg.bmp\n"
    "1_text vx=20;vy=30;vw=180;font=arial;size=10;style=bold;color=0,0,0;value=\n"
    "1_button vx=20;vy=60;align=left;fn1=b1.bmp;fn2=b2.bmp;fn3=b3.bmp;go=yes;hint=Да;wav=yes.wav\n"
    "1_button vx=100;vy=60;align=middle;fn1=b1.bmp;fn2=b2.bmp;fn3=b3.bmp;go=no;hint=Нет;wav=no\n"
    "1_button vx=150;vy=60;align=right;fn1=b1.bmp;fn2=b2.bmp;fn3=b3.bmp;go=cancel;hint=;wav=no\n"
    "2_picture=find.bmp\n"
    "2_button vx=300;vy=20;align=left;fn1=b1.bmp;fn2=b2.bmp;fn3=b3.bmp;go=findnext1;hint=Искать;"
    "wav=find.wav\n"
    "2_button vx=300;vy=60;align=left;fn1=b1.bmp;fn2=b2.bmp;fn3=b3.bmp;go=close;hint=Закрыть;"
    "wav=no\n"
    "2_switchgrp vx=20;vy=80;fn1=s1.bmp;fn2=s2.bmp;fn3=s3.bmp;fn4=s4.bmp;state=on;store=on;"
    "group=1;go=findtxtlimit;hint=Эта страница;wav=sw.wav\n"
    "2_switchgrp vx=60;vy=80;fn1=s1.bmp;fn2=s2.bmp;fn3=s3.bmp;fn4=s4.bmp;state=off;store=on;"
    "group=1;go=findtxtall;hint=Все страницы;wav=no\n"
    "2_switchgrp vx=100;vy=80;fn1=s1.bmp;fn2=s2.bmp;fn3=s3.bmp;fn4=s4.bmp;state=off;store=off;"
    "group=2;go=findtxtcontents;hint=Оглавление;wav=no\n"
    "3_picture=missing.bmp\n";

struct Host : TCoolDialogHost {
  QWidget& Window() override { return window; }
  int CurrentScreen() const override { return 1; }
  bool Busy() const override { return busy; }
  bool ButtonSoundsOn() const override { return sounds; }
  void PlayButtonSound(const std::string& name) override { calls.push_back("sound " + name); }
  void EscapeKey() override {
    calls.push_back("escape");
    if (dialog) dialog->close();
  }
  THtmlFrame* PageAreas() const override { return nullptr; }
  TTextMsg* TextMessages() const override { return nullptr; }
  void PrepareSearchScale() override { calls.push_back("scale"); }
  // A find box, as the search puts it on the find page, taking the keyboard there.
  void DialogPageShown(int page) override {
    if (!box) return;
    box->setVisible(page == TCoolDialog::kFindPage);
    if (box->isVisibleTo(dialog)) box->setFocus();
  }

  QWidget window;
  TCoolDialog* dialog = nullptr;
  QLineEdit* box = nullptr;
  bool busy = false, sounds = true;
  std::vector<std::string> calls;
};

void SaveBitmap(const fs::path& file, QSize size, QColor color) {
  QImage image(size, QImage::Format_RGB888);
  image.fill(color);
  ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "BMP"));
}

class CoolDialogTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    const fs::path run = Dir() / "book/run";
    // Book text files end their lines in CR LF.
    test::WriteTree(run, {{"Dialog.txt", ReplaceAllText(*Utf8ToCp1251(kDialog), "\n", "\r\n")}});
    SaveBitmap(run / "msg.bmp", {200, 100}, Qt::darkBlue);
    SaveBitmap(run / "find.bmp", {400, 250}, Qt::darkGreen);
    for (const char* name : {"b1.bmp", "b2.bmp", "b3.bmp", "s1.bmp", "s2.bmp", "s3.bmp", "s4.bmp"})
      SaveBitmap(run / name, {30, 20}, Qt::gray);
    std::string error;
    session = OpenBookSession(Dir() / "book", error);
    ASSERT_TRUE(session) << error;
    host.window.setGeometry(100, 100, 800, 600);
    host.window.show();
    Make();
  }
  void TearDown() override {
    dialog.reset();
    session.reset();
    IsolatedTest::TearDown();
  }
  void Make() {
    dialog.reset();
    dialog = CreateCoolDialog(host, session->Store, session->Folders, kKey, true);
    ASSERT_TRUE(dialog);
    host.dialog = dialog.get();
  }
  // Shows a page and waits for its fade-in to end.
  int Show(int page, const std::string& message = "") {
    const int result = dialog->ShowDialogPage(page, message);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->FadingIn(); }, 3000));
    return result;
  }
  const RSwthGrp& Switch(int i) { return dialog->Pages()[1].Switches[i]; }

  std::unique_ptr<TBookSession> session;
  Host host;
  std::unique_ptr<TCoolDialog> dialog;
};

TEST_F(CoolDialogTest, AMessageWiderThanTheTextAreaWidensThePage) {
  EXPECT_EQ(Show(0, *Utf8ToCp1251("Коротко")), 0);
  ASSERT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->geometry(), QRect(100 + 400 - 100, 100 + 300 - 50, 200, 100));
  EXPECT_EQ(dialog->PageButtons()[2].left(), 150);

  const std::string message = *Utf8ToCp1251("Архив повреждён: распаковать файлы не удалось");
  const int width =
      QFontMetrics(BookFont("arial", 10, kStyleBold)).horizontalAdvance(ToQString(message));
  ASSERT_GT(width, 160);
  const int extra = width - 160;
  Show(0, message);  // shown over the page on show: the old page's elements go
  EXPECT_EQ(dialog->width(), 200 + extra);
  EXPECT_EQ(dialog->PageImage().width(), 200 + extra);
  EXPECT_EQ(dialog->PageButtons()[0].left(), 20);
  EXPECT_EQ(dialog->PageButtons()[1].left(), 100 + extra / 2);
  EXPECT_EQ(dialog->PageButtons()[2].left(), 150 + extra);
  EXPECT_EQ(dialog->HintControls().size(), 3u);
  // Hint controls stay where the file put the buttons.
  EXPECT_EQ(dialog->HintControls()[2]->geometry(), QRect(150, 60, 30, 20));
  EXPECT_EQ(dialog->HintControls()[1]->toolTip(), QString::fromUtf8("Нет"));
}

TEST_F(CoolDialogTest, EnterSaysYesOnTheMessagePageAndEscGoesToTheMainWindow) {
  Show(0, "x");
  ASSERT_EQ(Keyboard(), dialog.get());  // the page on show has the keyboard
  QTest::keyClick(Keyboard(), Qt::Key_Return);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->DialogResult(), TCoolDialog::kResultYes);
  EXPECT_TRUE(host.calls.empty());                   // no sound
  EXPECT_EQ(Show(0, "x"), TCoolDialog::kResultYes);  // the last result comes back

  QTest::keyClick(Keyboard(), Qt::Key_Escape);
  EXPECT_EQ(host.calls, std::vector<std::string>{"escape"});
  EXPECT_FALSE(dialog->isVisible());

  // On the find page its box has the keyboard: Enter is the box's, Esc still the dialog's.
  host.box = new QLineEdit(dialog.get());
  Show(1);
  ASSERT_EQ(Keyboard(), host.box);
  host.calls.clear();
  QTest::keyClick(Keyboard(), Qt::Key_Enter);
  EXPECT_TRUE(dialog->isVisible());
  QTest::keyClick(Keyboard(), Qt::Key_Escape);
  EXPECT_EQ(host.calls, std::vector<std::string>{"escape"});
  EXPECT_FALSE(dialog->isVisible());

  // The hidden box never keeps it: the message page after the find page takes letters, Enter
  // and Esc, also when it replaces the find page on show.
  for (const bool findPageOpen : {false, true}) {
    if (findPageOpen) Show(1);
    Show(0, "x");
    ASSERT_EQ(Keyboard(), dialog.get()) << findPageOpen;
    QTest::keyClicks(Keyboard(), "w");
    EXPECT_TRUE(host.box->text().isEmpty());
    QTest::keyClick(Keyboard(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
  }
}

TEST_F(CoolDialogTest, CommandsInTheirOrder) {
  Show(1);
  host.calls.clear();
  struct Case {
    const char* command;
    const char* sound;
    bool busy;
    bool closes;
    int result;
    std::vector<std::string> calls;
  } cases[] = {
      {"findnext1", "find.wav", true, false, 0, {}},  // a running search is stopped instead
      {"findnext1", "find.wav", false, false, 0, {"sound find.wav"}},
      {"findtxtall", "no", false, false, 0, {}},
      {"xfindtxtall", "", false, true, TCoolDialog::kResultCancel, {}},  // only exactly
      {"yes", "ok.wav", false, true, TCoolDialog::kResultYes, {"sound ok.wav"}},
      {"no", "", false, true, TCoolDialog::kResultNo, {}},
      {"close", "", false, true, TCoolDialog::kResultCancel, {}},
  };
  for (const Case& c : cases) {
    Show(1);
    host.calls.clear();
    host.busy = c.busy;
    EXPECT_EQ(dialog->RunCommand(c.command, c.sound), c.closes) << c.command;
    EXPECT_EQ(dialog->isVisible(), !c.closes) << c.command;
    if (c.closes) EXPECT_EQ(dialog->DialogResult(), c.result) << c.command;
    EXPECT_EQ(host.calls, c.calls) << c.command;
  }
  host.busy = false;
  host.sounds = false;
  Show(1);
  host.calls.clear();
  dialog->RunCommand("yes", "ok.wav");
  EXPECT_TRUE(host.calls.empty());  // button sounds are off
}

TEST_F(CoolDialogTest, GroupSwitchesExcludeEachOtherAndAreStoredAcrossRuns) {
  Show(1);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"scale", "sound sw.wav"}));  // reapplied
  EXPECT_EQ(dialog->height(), 115);  // no results: only the upper part
  host.calls.clear();
  QTest::mouseMove(dialog.get(), QPoint(75, 90));
  QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(75, 90));
  EXPECT_TRUE(Switch(1).State);
  EXPECT_FALSE(Switch(0).State);
  EXPECT_FALSE(Switch(2).State);  // another group
  QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, QPoint(75, 90));
  QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(75, 90));  // on already: nothing
  QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, QPoint(75, 90));
  QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(60, 90));  // on the edge: none
  QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, QPoint(60, 90));
  EXPECT_TRUE(Switch(1).State);
  QTest::mousePress(dialog.get(), Qt::LeftButton, {}, QPoint(115, 90));
  // Released, so that the next test's pointer does not arrive with the button still held.
  QTest::mouseRelease(dialog.get(), Qt::LeftButton, {}, QPoint(115, 90));
  EXPECT_TRUE(Switch(2).State && Switch(1).State);
  dialog->RunCommand("close", "no");

  TRegistry key;
  ASSERT_TRUE(key.OpenKey(kKey, false));
  EXPECT_EQ(key.ReadBool("SwGrpD10"), false);
  EXPECT_EQ(key.ReadBool("SwGrpD11"), true);
  EXPECT_FALSE(key.ValueExists("SwGrpD12"));
  Make();  // the next run
  EXPECT_FALSE(Switch(0).State);
  EXPECT_TRUE(Switch(1).State);
  EXPECT_FALSE(Switch(2).State);
}

TEST_F(CoolDialogTest, AButtonActsWhenReleasedOverIt) {
  Show(0, "x");
  // Through the dialog's own window, as the pointer reaches it: the hint control that covers
  // the button takes the events and hands them to the dialog.
  const QPoint no(115, 70);
  ASSERT_NE(dialog->childAt(no), nullptr);
  QWindow* window = dialog->windowHandle();
  QTest::mouseMove(window, no);
  EXPECT_TRUE(dialog->ButtonPictures()[1].OverFlag);
  QTest::mousePress(window, Qt::LeftButton, {}, no);
  EXPECT_TRUE(dialog->ButtonPictures()[1].DownFlag);
  QTest::mouseRelease(window, Qt::LeftButton, {}, no);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->DialogResult(), TCoolDialog::kResultNo);
}

TEST_F(CoolDialogTest, TheResultListShowsFoundPagesBelowTheFindPage) {
  Show(1);
  dialog->ShowFindResults({"a.htm", "b.htm"}, {*Utf8ToCp1251("Первая"), "Second"});
  ASSERT_NE(dialog->ResultList(), nullptr);
  EXPECT_EQ(dialog->ResultList()->geometry(), QRect(11, 127, 377, 112));
  EXPECT_EQ(dialog->height(), 250);
  EXPECT_EQ(dialog->ResultList()->item(0)->text(), QString::fromUtf8("Первая"));
  dialog->ShowFindResults({"c.htm"}, {"Third"});
  EXPECT_EQ(dialog->ResultList()->count(), 1);
  dialog->ShowFindResults({}, {});
  EXPECT_EQ(dialog->ResultList(), nullptr);
  EXPECT_EQ(dialog->height(), 115);
  dialog->SetFindButtonHint(*Utf8ToCp1251("Остановить поиск"));
  EXPECT_EQ(dialog->HintControls()[0]->toolTip(), QString::fromUtf8("Остановить поиск"));
}

TEST_F(CoolDialogTest, PagesThatCannotBeShownShowNothing) {
  EXPECT_EQ(dialog->ShowDialogPage(2, ""), TCoolDialog::kResultCancel);  // picture missing
  EXPECT_EQ(dialog->ShowDialogPage(7, ""), TCoolDialog::kResultCancel);  // no such page
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(CoolDialogTest, WithoutTheDialogMessagesGoToTheDesktopsMessageBox) {
  ShowBookMessage(nullptr, *Utf8ToCp1251("Выберите файл для распаковки."));
  QMessageBox* box = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), QString::fromUtf8("Выберите файл для распаковки."));
  box->close();
  ShowBookMessage(dialog.get(), "x");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->CurrentPage(), 0);
}

}  // namespace
}  // namespace shelf
