#include "shell/start_window.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "test_support.h"

namespace shelf {
namespace {

TEST(StartWindowTest, ListsTheBooksAndOpensTheOneChosen) {
  TStartWindow window({{"/media/cdrom/car/run", "Книга"}, {"/home/u/disc.iso", ""}});
  QSignalSpy chosen(&window, &TStartWindow::BookChosen);
  window.show();
  ASSERT_EQ(window.List()->count(), 2);
  EXPECT_EQ(window.List()->item(0)->text(), QString::fromUtf8("Книга — /media/cdrom/car/run"));
  EXPECT_EQ(window.List()->item(1)->text(), QString::fromUtf8("disc.iso — /home/u/disc.iso"));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  ASSERT_EQ(QApplication::focusWidget(), window.List());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].toString(), "/home/u/disc.iso");
}

}  // namespace
}  // namespace shelf
