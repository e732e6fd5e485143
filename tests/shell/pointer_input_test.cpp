#include "shell/pointer_input.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/cp1251.h"
#include "book/book_session.h"
#include "shell/main_form.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

// Two screens. On the first: buttons A and B on the same spot (A leaves for screen 2, B
// minimises), button C (case-sensitive find on) elsewhere, an on/off switch and a group of two
// switches whose first (on at start, so replayed then) turns case-sensitive find off.
constexpr const char* kStruct =
    "1button vx=10;vy=10;fn1=a1.bmp;fn2=a2.bmp;fn3=a3.bmp;go=2;hint=A;wav=no\r\n"
    "1button vx=10;vy=10;fn1=a1.bmp;fn2=a2.bmp;fn3=a3.bmp;go=minimize;hint=B;wav=no\r\n"
    "1button vx=100;vy=10;fn1=a1.bmp;fn2=a2.bmp;fn3=a3.bmp;go=caseon;hint=C;wav=no\r\n"
    "1switchone vx=10;vy=100;fn1=a1.bmp;fn2=a2.bmp;fn3=a3.bmp;fn4=a4.bmp;state=off;store=off\r\n"
    "goup=caseoff;godown=caseon;hint=S;wav=no\r\n"
    "1switchgrp vx=100;vy=100;fn1=a1.bmp;fn2=a2.bmp;fn3=a3.bmp;fn4=a4.bmp;state=on;store=off\r\n"
    "group=1;go=caseoff;hint=G1;wav=no\r\n"
    "1switchgrp vx=150;vy=100;fn1=a1.bmp;fn2=a2.bmp;fn3=a3.bmp;fn4=a4.bmp;state=off;store=off\r\n"
    "group=1;go=caseon;hint=G2;wav=no\r\n"
    "1_screen=fon.bmp\r\n"
    "2switchone vx=10;vy=10;fn1=a1.bmp;fn2=a2.bmp;fn3=a3.bmp;fn4=a4.bmp;state=on;store=off\r\n"
    "goup=caseoff;godown=caseon;hint=S2;wav=no\r\n"
    "2button vx=10;vy=50;fn1=a1.bmp;fn2=a2.bmp;fn3=a3.bmp;go=1;hint=Home;wav=no\r\n"
    "2_screen=fon.bmp\r\n";

class PointerInputTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    const fs::path run = Dir() / "book/run";
    test::WriteTree(run, {{"Struct.txt", kStruct}, {"Title.txt", "Pointer"}});
    const std::pair<const char*, QColor> pictures[] = {{"fon.bmp", Qt::darkBlue},
                                                       {"a1.bmp", Qt::gray},
                                                       {"a2.bmp", Qt::yellow},
                                                       {"a3.bmp", Qt::red},
                                                       {"a4.bmp", Qt::green}};
    for (const auto& [name, color] : pictures) {
      QImage image(name == std::string("fon.bmp") ? QSize(300, 200) : QSize(40, 20),
                   QImage::Format_RGB888);
      image.fill(color);
      image.save(QString::fromStdString((run / name).string()));
    }
    std::string error;
    session = OpenBookSession(run, error);
    ASSERT_TRUE(session) << error;
    form = std::make_unique<TMainForm>(*session);
    ASSERT_EQ(form->BuildBookShell(), std::nullopt);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override {
    form.reset();
    session.reset();
    IsolatedTest::TearDown();
  }
  void Move(QPoint at) { QTest::mouseMove(form.get(), at); }
  void Click(QPoint at, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mousePress(form.get(), Qt::LeftButton, modifiers, at);
    QTest::mouseRelease(form.get(), Qt::LeftButton, modifiers, at);
  }
  TBtnPictures& Button(int i) { return form->Pictures().Buttons[i]; }
  RScreen& Screen() { return form->Description().Screens[form->CurrentScreen()]; }
  bool CaseOn() { return form->Dispatcher().CaseSensitiveFind(); }

  std::unique_ptr<TBookSession> session;
  std::unique_ptr<TMainForm> form;
};

TEST_F(PointerInputTest, ElementsTakeTheirSizeFromThePictureAndEdgesHitNothing) {
  EXPECT_EQ(ElementRect(Screen().Buttons[2]), QRect(100, 10, 40, 20));
  for (const QPoint edge : {QPoint(100, 15), QPoint(140, 15), QPoint(120, 10), QPoint(120, 30)}) {
    Move(edge);
    EXPECT_FALSE(Button(2).OverFlag) << edge.x() << "," << edge.y();
  }
  Move({101, 11});
  EXPECT_TRUE(Button(2).OverFlag);
  Move({5, 5});
  EXPECT_FALSE(Button(2).OverFlag);
}

TEST_F(PointerInputTest, APressOnNoElementDragsTheWindow) {
  const QPoint start = form->pos();
  QCursor::setPos(form->mapToGlobal(QPoint(250, 150)));
  QTest::mousePress(form.get(), Qt::LeftButton, {}, {250, 150});
  QTest::mouseMove(form.get(), {270, 165});
  QTest::mouseRelease(form.get(), Qt::LeftButton, {}, {270, 165});
  EXPECT_EQ(form->pos() - start, QPoint(20, 15));
  EXPECT_FALSE(CaseOn());  // and nothing else happened
}

TEST_F(PointerInputTest, AButtonRunsItsCommandWhenReleasedWhereItWasPressed) {
  EXPECT_FALSE(CaseOn());  // the group switch that is on was replayed at start
  Move({120, 20});
  QTest::mousePress(form.get(), Qt::LeftButton, {}, {120, 20});
  EXPECT_TRUE(Button(2).DownFlag);
  Move({200, 60});  // leaving clears both flags
  EXPECT_FALSE(Button(2).DownFlag);
  QTest::mouseRelease(form.get(), Qt::LeftButton, {}, {120, 20});
  EXPECT_FALSE(CaseOn());  // released over it, but the press was lost on the way out

  Move({121, 21});
  Click({121, 21});
  EXPECT_TRUE(CaseOn());
  EXPECT_FALSE(Button(2).DownFlag);
  EXPECT_TRUE(Button(2).OverFlag);
}

TEST_F(PointerInputTest, ACommandThatLeavesTheScreenEndsTheReleaseWalk) {
  Move({20, 20});
  QTest::mousePress(form.get(), Qt::LeftButton, {}, {20, 20});  // A, the first that holds it
  QTest::mousePress(form.get(), Qt::LeftButton, {}, {20, 20});  // A is down: now B
  QTest::mouseRelease(form.get(), Qt::LeftButton, {}, {20, 20});
  EXPECT_EQ(form->CurrentScreen(), 1);
  EXPECT_FALSE(form->isMinimized());  // B was down too, but the walk ended with A
  EXPECT_TRUE(CaseOn());              // screen 2's switch is on: its command was replayed

  Move({20, 60});
  Click({20, 60});  // "1": back to the first screen, its pictures and its switches
  EXPECT_EQ(form->CurrentScreen(), 0);
  EXPECT_EQ(ElementRect(Screen().Buttons[0]), QRect(10, 10, 40, 20));
  EXPECT_FALSE(CaseOn());
}

TEST_F(PointerInputTest, SwitchesToggleAndGroupsExcludeEachOther) {
  RSwthOne& single = Screen().SwitchesOne[0];
  Click({20, 110});
  EXPECT_EQ(single.State, 1);
  EXPECT_TRUE(CaseOn());
  Click({20, 110}, Qt::ShiftModifier);  // state changes, command does not run
  EXPECT_EQ(single.State, 0);
  EXPECT_TRUE(CaseOn());

  RSwthGrp& first = Screen().SwitchesGrp[0];
  RSwthGrp& second = Screen().SwitchesGrp[1];
  form->Dispatcher().ExecuteCommand("caseoff", "", true, TElementKind::Button, 0);
  Click({160, 110});
  EXPECT_EQ(std::make_pair(first.State, second.State), std::make_pair(uint8_t{0}, uint8_t{1}));
  EXPECT_TRUE(CaseOn());
  form->Dispatcher().ExecuteCommand("caseoff", "", true, TElementKind::Button, 0);
  Click({160, 110});  // already on: nothing happens
  EXPECT_EQ(second.State, 1);
  EXPECT_FALSE(CaseOn());
  Click({110, 110}, Qt::ShiftModifier);
  EXPECT_EQ(std::make_pair(first.State, second.State), std::make_pair(uint8_t{1}, uint8_t{0}));
  EXPECT_FALSE(CaseOn());  // no command with Shift
}

TEST_F(PointerInputTest, ThePictureShownFollowsTheElementStateThroughCrossFades) {
  // A cross-fade ends at level 255, which lands within one unit of its target picture.
  const auto colorAt = [&](QPoint p) {
    const QColor c = form->grab().toImage().pixelColor(p);
    for (const QColor want :
         {QColor(Qt::gray), QColor(Qt::yellow), QColor(Qt::red), QColor(Qt::green)})
      if (std::abs(c.red() - want.red()) <= 1 && std::abs(c.green() - want.green()) <= 1 &&
          std::abs(c.blue() - want.blue()) <= 1)
        return want;
    return c;
  };
  const auto faded = [&] {
    return QTest::qWaitFor([&] { return !form->FadeRunning(TElementKind::Button, 2); }, 3000);
  };
  EXPECT_EQ(colorAt({120, 20}), QColor(Qt::gray));
  Move({120, 20});
  EXPECT_TRUE(form->FadeRunning(TElementKind::Button, 2));
  ASSERT_TRUE(faded());
  EXPECT_EQ(colorAt({120, 20}), QColor(Qt::yellow));
  QTest::mousePress(form.get(), Qt::LeftButton, {}, {120, 20});
  ASSERT_TRUE(faded());
  EXPECT_EQ(colorAt({120, 20}), QColor(Qt::red));
  EXPECT_EQ(colorAt({110, 110}), QColor(Qt::green));  // a group switch that is on
}

}  // namespace
}  // namespace shelf
