#include "popup/control_popup_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "book/book_session.h"
#include "dialogs/font_form.h"
#include "html/frame_viewer.h"
#include "pages/html_favorite.h"
#include "reading_book.h"
#include "shell/main_form.h"

namespace shelf {
namespace {

class PopupWindowsTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    book = test::MakeReadingBook(Dir());
    Open();
  }
  void TearDown() override {
    Close();
    IsolatedTest::TearDown();
  }
  void Open() {
    std::string error;
    session = OpenBookSession(book, error);
    ASSERT_TRUE(session) << error;
    form = std::make_unique<TMainForm>(*session);
    ASSERT_EQ(form->BuildBookShell(), std::nullopt);
    popups = form->PopupWindows();
    ASSERT_NE(popups, nullptr);
  }
  void Close() {
    form.reset();
    session.reset();
  }
  void Run(const std::string& command, int button = 0) {
    form->Dispatcher().ExecuteCommand(command, "", true, TElementKind::Button, button);
  }
  TFrameViewer* Viewer() const { return form->PageAreas()->CurrentScreenViewer(); }
  std::string Shown() const {
    const std::string& file = Viewer()->CurrentFile();
    return file.substr(file.find_last_of('\\') + 1);
  }
  // A press on item `index` of a popup, where the reader's pointer would be.
  void Choose(TPopupWindow* popup, int index) {
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->Item(index).Bounds.center());
  }
  int ShownItems(const TPopupWindow* popup) const {
    int count = 0;
    for (int i = 0; i < popup->ItemCount(); ++i) count += popup->Item(i).Shown;
    return count;
  }

  std::filesystem::path book;
  std::unique_ptr<TBookSession> session;
  std::unique_ptr<TMainForm> form;
  TControlPopupWindow* popups = nullptr;
};

TEST_F(PopupWindowsTest, NumberedMenuShortensLongCaptionsAndRunsItsItems) {
  TPopupWindow* menu = popups->Popup(7);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->ItemCount(), 3);
  const TItemsBtn& longOne = menu->Item(1);
  const std::string full =
      *Utf8ToCp1251("Очень длинная надпись пункта меню, которая не помещается");
  EXPECT_EQ(longOne.Caption(), full);
  EXPECT_EQ(longOne.Hint(), full);  // shown whole as the hint
  const std::string shown = longOne.ShownCaption();
  ASSERT_GT(shown.size(), 3u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "...");
  EXPECT_EQ(full.rfind(shown.substr(0, shown.size() - 3), 0), 0u);
  EXPECT_EQ(menu->Item(0).Hint(), "");

  // The menu opens from its button at the pointer; it does not take the keyboard.
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  QWidget* focused = QApplication::focusWidget();
  Run("contextmenu7");
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(QApplication::activeWindow(), form.get());
  EXPECT_EQ(QApplication::focusWidget(), focused);
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(),
                  Qt::Key_Escape);
  EXPECT_FALSE(menu->isVisible());  // a key in the window closes it

  Run("contextmenu7");
  const QPointer<TPopupWindow> chosen = menu;
  Choose(menu, 0);  // "2": the reading screen, whose popups replace the title screen's
  EXPECT_EQ(form->CurrentScreen(), 1);
  EXPECT_TRUE(!chosen || !chosen->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(chosen.isNull());
}

TEST_F(PopupWindowsTest, HistoryListsFollowThePagesAndGoWhereChosen) {
  Run("2");
  TPopupWindow* back = popups->Popup(kPopupHistoryBack);
  TPopupWindow* forward = popups->Popup(kPopupHistoryForward);
  ASSERT_TRUE(back && forward);
  EXPECT_EQ(back->ItemCount(), 8);
  EXPECT_EQ(ShownItems(back), 0);
  const int emptyHeight = back->height();
  Run("showfavorite", 6);  // no favorites yet: nothing opens
  EXPECT_FALSE(popups->Popup(kPopupFavorite)->isVisible());

  const std::string run = session->Folders.ProgramDir;
  for (const char* page : {"d.htm", "e.htm", "b.htm"})
    form->PageAreas()->OpenLinkedPage(run + page);
  EXPECT_EQ(ShownItems(back), 3);
  EXPECT_EQ(back->Item(0).Caption(), *Utf8ToCp1251("Раздел Е"));
  EXPECT_EQ(back->height(), emptyHeight + 3 * 20);  // hidden slots take no room

  // The back list opens to the left of the button's bottom-right corner.
  Run("historyback", 4);
  ASSERT_TRUE(back->isVisible());
  const QPoint corner = form->mapToGlobal(QPoint(750, 290));
  const QRect desktop = QGuiApplication::primaryScreen()->availableVirtualGeometry();
  if (corner.x() - back->width() >= desktop.left() &&
      corner.y() + back->height() <= desktop.bottom())
    EXPECT_EQ(back->geometry().topRight() + QPoint(1, 0), corner);
  Choose(back, 1);  // "Глава Д"
  EXPECT_FALSE(back->isVisible());
  EXPECT_EQ(Shown(), "d.htm");
  EXPECT_EQ(ShownItems(forward), 2);
  EXPECT_EQ(forward->Item(6).Caption(), *Utf8ToCp1251("Раздел Е"));  // the nearest first

  popups->RunItemCommand("history=x1");  // not a number: ignored
  popups->RunItemCommand("htmlpos=" + run + "b.htm=oops");
  EXPECT_EQ(Shown(), "d.htm");
}

TEST_F(PopupWindowsTest, BackAndForwardPressTheSectionSwitchAgain) {
  Run("2");
  RScreen& screen = form->Description().Screens[1];
  Run("html1=d.htm");
  form->PageAreas()->OpenLinkedPage(session->Folders.ProgramDir + "e.htm");
  Run("html1=a.htm");  // a is in the history: the viewer goes back there
  EXPECT_EQ(Shown(), "a.htm");
  screen.SwitchesGrp[0].State = 1;
  screen.SwitchesGrp[1].State = 0;
  Run("forward", 3);
  EXPECT_EQ(Shown(), "d.htm");
  EXPECT_EQ(screen.SwitchesGrp[1].State, 1);  // d's switch looks pressed again ...
  EXPECT_EQ(screen.SwitchesGrp[0].State, 0);
  EXPECT_EQ(Shown(), "d.htm");  // ... without running its command
  Run("forward", 3);
  EXPECT_EQ(Shown(), "e.htm");  // e joined d's trail: d's switch stays
  EXPECT_EQ(screen.SwitchesGrp[1].State, 1);
  Run("forward", 3);  // nothing further: a beep and no change
  EXPECT_EQ(Shown(), "e.htm");
  screen.SwitchesGrp[0].State = 1;
  screen.SwitchesGrp[1].State = 0;
  Run("back", 2);
  EXPECT_EQ(Shown(), "d.htm");
  EXPECT_EQ(screen.SwitchesGrp[1].State, 1);
  EXPECT_EQ(screen.SwitchesGrp[0].State, 0);
}

TEST_F(PopupWindowsTest, FavoritesFromThePageMenuDeleteModeAndARestart) {
  Run("2");
  TPopupWindow* favorites = popups->Popup(kPopupFavorite);
  TPopupWindow* pageMenu = popups->Popup(kPopupContextHtml);
  ASSERT_TRUE(favorites && pageMenu);
  for (const char* page : {"d.htm", "e.htm", "b.htm"}) {
    form->PageAreas()->OpenLinkedPage(session->Folders.ProgramDir + page);
    if (page[0] == 'b') Viewer()->ActiveViewer()->SetVScrollPos(300);
    // The right button on the page opens the page menu; its first item adds the page.
    QWidget* view = Viewer()->ActiveViewer()->viewport();
    QTest::mousePress(view, Qt::RightButton, {}, QPoint(40, 40));
    ASSERT_TRUE(pageMenu->isVisible());
    Choose(pageMenu, 0);
  }
  QTest::keyClick(form.get(), Qt::Key_I, Qt::ControlModifier);  // b again: same title, nothing
  ASSERT_EQ(favorites->ItemCount(), 3);
  EXPECT_EQ(favorites->Item(2).Caption(), *Utf8ToCp1251("Последняя"));

  Run("deletefromfavorite", 7);
  ASSERT_TRUE(favorites->isVisible());
  EXPECT_TRUE(favorites->DeleteMode);
  Choose(favorites, 1);
  EXPECT_TRUE(favorites->isVisible());  // delete mode keeps the popup open
  ASSERT_EQ(favorites->ItemCount(), 2);
  EXPECT_EQ(favorites->Item(1).Caption(), *Utf8ToCp1251("Последняя"));
  EXPECT_EQ(popups->Favorites()->Favorites().size(), 2u);
  QTest::mousePress(form.get(), Qt::LeftButton, {}, QPoint(5, 300));  // a press elsewhere
  // Released, so that later tests' pointers do not arrive with the button still held.
  QTest::mouseRelease(form.get(), Qt::LeftButton, {}, QPoint(5, 300));
  EXPECT_FALSE(favorites->isVisible());
  EXPECT_FALSE(favorites->DeleteMode);

  Close();
  Open();
  Run("2");
  favorites = popups->Popup(kPopupFavorite);
  ASSERT_EQ(favorites->ItemCount(), 2);
  Run("showfavorite", 6);
  ASSERT_TRUE(favorites->isVisible());
  Choose(favorites, 1);
  EXPECT_EQ(Shown(), "b.htm");
  EXPECT_EQ(Viewer()->ActiveViewer()->VScrollPos(), 300);  // where the reader was
  Run("showfavorite", 6);
  Choose(favorites, 0);
  EXPECT_EQ(Shown(), "d.htm");
}

TEST_F(PopupWindowsTest, ThePageMenusFontItemOpensThePageFontDialog) {
  Run("2");
  TPopupWindow* pageMenu = popups->Popup(kPopupContextHtml);
  ASSERT_NE(pageMenu, nullptr);
  QTest::mousePress(Viewer()->ActiveViewer()->viewport(), Qt::RightButton, {}, QPoint(40, 40));
  ASSERT_TRUE(pageMenu->isVisible());
  ASSERT_EQ(pageMenu->Item(2).Caption(), *Utf8ToCp1251("Шрифт страницы"));
  // The dialog waits for the reader: it is looked for, and cancelled, while it does.
  bool asked = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (auto* dialog = dynamic_cast<TFontForm*>(QApplication::activeModalWidget())) {
      asked = true;
      dialog->reject();
    }
  });
  watch.start(20);
  Choose(pageMenu, 2);
  EXPECT_TRUE(QTest::qWaitFor([&] { return asked; }, 3000));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PopupWindowsTest, PopupsStayOnTheDesktopAndSlideOnlyAfterAPause) {
  Run("2");
  TPopupWindow* pageMenu = popups->Popup(kPopupContextHtml);
  const QRect desktop = QGuiApplication::primaryScreen()->availableVirtualGeometry();
  popups->ShowPopup(kPopupContextHtml, desktop.bottomRight() - QPoint(5, 5));
  EXPECT_TRUE(desktop.contains(pageMenu->geometry())) << pageMenu->geometry().x();
  EXPECT_TRUE(pageMenu->Sliding());
  popups->CloseAll();
  popups->ShowPopup(kPopupContextHtml, desktop.topLeft());
  EXPECT_FALSE(pageMenu->Sliding());  // within 250 ms of the last show
  EXPECT_EQ(pageMenu->pos(), desktop.topLeft());
  QTest::qWait(TPopupWindow::kSlidePauseMs + 50);
  popups->CloseAll();
  popups->ShowPopup(kPopupContextHtml, desktop.topLeft());
  EXPECT_TRUE(pageMenu->Sliding());
}

}  // namespace
}  // namespace shelf
