#include "dialogs/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWindow>

#include "book/book_session.h"
#include "platform/cp1251.h"
#include "platform/font_table.h"
#include "settings/program_options.h"
#include "store/book_text.h"
#include "test_support.h"
#include "widgets/eff_btn_car.h"
#include "widgets/my_control.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

const QColor kPicture(200, 180, 160);
const QColor kOkUp(0, 128, 0), kOkMove(255, 255, 0);
constexpr QPoint kOnOk(330, 265);
constexpr QPoint kOnLink(25, 205);
constexpr QPoint kOnNothing(100, 100);

const char* const kAbout =
    "picture=about.bmp\n"
    "vertex=[0,10;10,0;390,0;400,10;400,290;390,300;10,300;0,290]\n"
    "text vx=20;vy=30;font=arial;size=14;style=bold;color=0,0,128;value=Вектор-2107;idenf=no\n"
    "text vx=20;vy=200;font=arial;size=10;style=underline;color=0,0,255\n"
    "value=book@example.ru?subject=Книга;idenf=url\n"
    "button vx=300;vy=250;fn1=ok1.bmp;fn2=ok2.bmp;hint=Закрыть;wav=Click.wav\n";

// A cross-fade's last frame is within one unit of its target in every channel.
bool Near(QColor shown, QColor expected) {
  return std::abs(shown.red() - expected.red()) <= 1 &&
         std::abs(shown.green() - expected.green()) <= 1 &&
         std::abs(shown.blue() - expected.blue()) <= 1;
}

void SaveBitmap(const fs::path& file, QSize size, QColor color) {
  QImage image(size, QImage::Format_RGB888);
  image.fill(color);
  ASSERT_TRUE(image.save(QString::fromStdString(file.string()), "BMP"));
}

class AboutBoxTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    const fs::path run = Dir() / "book/run";
    test::WriteTree(run, {{"About.txt", ReplaceAllText(*Utf8ToCp1251(kAbout), "\n", "\r\n")}});
    SaveBitmap(run / "about.bmp", {400, 300}, kPicture);
    SaveBitmap(run / "ok1.bmp", {60, 30}, kOkUp);
    SaveBitmap(run / "ok2.bmp", {60, 30}, kOkMove);
    std::string error;
    session = OpenBookSession(Dir() / "book", error);
    ASSERT_TRUE(session) << error;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
  }
  void TearDown() override {
    box.reset();
    session.reset();
    IsolatedTest::TearDown();
  }
  void Make() {
    box = CreateAboutBox(owner, session->Store, session->Folders, options);
    ASSERT_TRUE(box);
    box->PlaySound = [this](const std::string& name) { calls.push_back("sound " + name); };
    box->OpenLink = [this](const std::string& target) { calls.push_back("open " + target); };
  }
  // Shows the box and waits until it takes the pointer.
  void Show() {
    box->ShowAbout();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box->FadingIn() && !box->Revealing(); }, 5000));
  }
  // Input reaches the box's own window, as the reader's pointer does: the hint control that
  // covers a button takes the events and hands them to the box.
  void Move(QPoint at) { QTest::mouseMove(box->windowHandle(), at); }
  void Press(QPoint at) {
    QTest::mousePress(box->windowHandle(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(box->windowHandle(), Qt::LeftButton, {}, at);
  }
  void Key(Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : box.get(), key);
  }

  std::unique_ptr<TBookSession> session;
  QWidget owner;
  TProgramOptions options;
  std::unique_ptr<TAboutBox> box;
  std::vector<std::string> calls;
};

TEST_F(AboutBoxTest, ABookWithoutAboutTxtHasNoAboutBox) {
  fs::remove(Dir() / "book/run/About.txt");
  EXPECT_EQ(CreateAboutBox(owner, session->Store, session->Folders, options), nullptr);
}

TEST_F(AboutBoxTest, ButtonsAndTextsAreDrawnOntoThePictureOnceAndLinksBecomeButtons) {
  Make();
  EXPECT_EQ(box->size(), QSize(400, 300));
  EXPECT_FALSE(box->mask().contains(QPoint(1, 1)));  // the outline cuts the corners
  EXPECT_TRUE(box->mask().contains(QPoint(200, 150)));
  const QImage& picture = box->Background();
  EXPECT_EQ(picture.pixelColor(kOnOk), kOkUp);
  EXPECT_EQ(picture.pixelColor(kOnNothing), kPicture);

  ASSERT_EQ(box->Buttons().size(), 2u);
  const TAboutBox::TButton& ok = box->Buttons()[0];
  EXPECT_FALSE(ok.Link);
  EXPECT_EQ(QRect(ok.Record.Left, ok.Record.Top, ok.Record.Right - ok.Record.Left,
                  ok.Record.Bottom - ok.Record.Top),
            QRect(300, 250, 60, 30));
  ASSERT_NE(ok.HintControl, nullptr);
  EXPECT_EQ(ok.HintControl->geometry(), QRect(300, 250, 60, 30));
  EXPECT_EQ(ok.HintControl->toolTip(), QString::fromUtf8("Закрыть"));

  // The mail link opens the whole text but shows, and covers, only what comes before the '?'.
  const TAboutBox::TButton& link = box->Buttons()[1];
  EXPECT_TRUE(link.Link);
  EXPECT_EQ(link.Record.Command, "mailto:book@example.ru?subject=" + *Utf8ToCp1251("Книга"));
  const QFontMetrics metrics(BookFont("arial", 10, kStyleUnderline));
  EXPECT_EQ(link.Record.Right - link.Record.Left,
            metrics.horizontalAdvance(QString("book@example.ru")));
  EXPECT_EQ(link.Record.Bottom - link.Record.Top, metrics.height());
  EXPECT_EQ(link.HintControl, nullptr);
  EXPECT_EQ(link.Fade, nullptr);
  int linkInk = 0;  // the link's blue is drawn, and nothing right of its covered part
  for (int x = 0; x < 400; ++x)
    for (int y = 200; y < 200 + metrics.height(); ++y)
      if (picture.pixelColor(x, y).blue() > 200 && picture.pixelColor(x, y).red() < 100) {
        ++linkInk;
        EXPECT_LT(x, link.Record.Right + 2);
      }
  EXPECT_GT(linkInk, 20);

  options.Hint = false;
  Make();
  EXPECT_TRUE(box->Buttons()[0].HintControl->toolTip().isEmpty());
}

TEST_F(AboutBoxTest, ButtonsFadeUnderThePointerLinksShowTheHandAndOpenAndButtonsClose) {
  options.Animation = false;
  Make();
  Show();
  ASSERT_TRUE(box->isVisible());
  EXPECT_FALSE(box->Revealing());
  // Centred on the screen.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(box->pos(), QPoint(screen.width() / 2 - 200, screen.height() / 2 - 150));

  Move(kOnOk);
  EXPECT_TRUE(box->Buttons()[0].Pictures.OverFlag);
  EXPECT_TRUE(box->Buttons()[0].Fade->Running());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !box->Buttons()[0].Fade->Running(); }, 3000));
  EXPECT_TRUE(Near(box->grab().toImage().pixelColor(kOnOk), kOkMove));
  Move(kOnNothing);
  EXPECT_FALSE(box->Buttons()[0].Pictures.OverFlag);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !box->Buttons()[0].Fade->Running(); }, 3000));
  EXPECT_TRUE(Near(box->grab().toImage().pixelColor(kOnOk), kOkUp));

  Move(kOnLink);
  EXPECT_EQ(box->cursor().shape(), Qt::PointingHandCursor);
  Move(kOnNothing);
  EXPECT_EQ(box->cursor().shape(), Qt::ArrowCursor);
  Move(kOnLink);
  Press(kOnLink);
  EXPECT_TRUE(box->isVisible());
  Press(kOnNothing);  // drags the box: it stays
  EXPECT_TRUE(box->isVisible());
  Move(kOnOk);
  Press(kOnOk);
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "open mailto:book@example.ru?subject=" + *Utf8ToCp1251("Книга"),
                       "sound click.wav"}));

  // Shown again: nothing is under the pointer yet; without button sounds the button is silent.
  options.Wav = false;
  calls.clear();
  Show();
  EXPECT_EQ(box->cursor().shape(), Qt::ArrowCursor);
  EXPECT_FALSE(box->Buttons()[0].Pictures.OverFlag);
  Press(kOnOk);
  EXPECT_FALSE(box->isVisible());
  EXPECT_TRUE(calls.empty());

  Show();
  Key(Qt::Key_Escape);
  EXPECT_FALSE(box->isVisible());
  Show();
  Key(Qt::Key_Return);
  EXPECT_FALSE(box->isVisible());
}

// Frames of the opening while the box fades in: the picture's own pixels are where the reveal
// has drawn them; elsewhere the fade's blend of screen and picture shows.
TEST_F(AboutBoxTest, WithWindowAnimationTheBandsOpenFromTheCentreAndKeysWaitForThem) {
  const int rows[] = {10, 70, 110, 150};  // bands 0, 3, 5, 7; no text or button on these rows
  Make();
  box->ShowAbout();
  ASSERT_TRUE(box->Revealing());
  Key(Qt::Key_Escape);
  Press(kOnOk);
  EXPECT_TRUE(box->isVisible());  // keys and the pointer wait for the reveal
  EXPECT_TRUE(calls.empty());

  int partialFrames = 0;
  std::vector<int> lastWidths(std::size(rows), 0);
  for (int frame = 0; frame < 2000 && box->FadingIn(); ++frame) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    const QImage shown = box->grab().toImage();
    if (!box->FadingIn()) break;
    std::vector<int> widths;
    for (const int y : rows) {
      int first = -1, last = -1, count = 0;
      for (int x = 0; x < 400; ++x) {
        if (shown.pixelColor(x, y) != kPicture) continue;
        if (first < 0) first = x;
        last = x;
        ++count;
      }
      widths.push_back(count);
      if (count == 0 || count == 400) continue;
      EXPECT_EQ(last - first + 1, count) << "row " << y << ": one run of columns";
      EXPECT_LE(std::abs((200 - first) - (last - 200)), 1) << "row " << y << ": around the centre";
    }
    if (widths[0] == 400) continue;  // the fade's last frame may already be the picture itself
    for (std::size_t i = 0; i < widths.size(); ++i) {
      EXPECT_GE(widths[i], lastWidths[i]) << "a band never closes again";
      if (i > 0) {
        EXPECT_LE(widths[i], widths[i - 1]) << "a lower band opens later";
      }
    }
    lastWidths = widths;
    if (widths[0] > 0 && widths[0] < 400) ++partialFrames;
  }
  EXPECT_GT(partialFrames, 0);

  // Ticks come every millisecond; waiting in steps of ten would make the reveal crawl.
  QElapsedTimer waited;
  waited.start();
  while (box->Revealing() && waited.elapsed() < 30000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  ASSERT_FALSE(box->Revealing());
  EXPECT_EQ(box->grab().toImage().pixelColor(kOnNothing), kPicture);
  Key(Qt::Key_Escape);
  EXPECT_FALSE(box->isVisible());

  options.Animation = false;  // read at every show
  box->ShowAbout();
  EXPECT_FALSE(box->Revealing());
  EXPECT_TRUE(box->FadingIn());
}

}  // namespace
}  // namespace shelf
