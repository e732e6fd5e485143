#include "widgets/path_input_box.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

#include "platform/dos_path.h"
#include "platform/registry.h"
#include "test_support.h"

namespace shelf {
namespace {

constexpr const char* kKey = "SOFTWARE\\Brevandor\\\xCA\xED\xE8\xE3\xE0";

// The main window tracks the pointer, as its hover effects need.
class Owner : public QWidget {
 public:
  Owner() { setMouseTracking(true); }
  std::vector<QPoint> moves;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override { moves.push_back(event->position().toPoint()); }
};

RPathInput Box(int left, int top, std::string defaultPath, int screen) {
  RPathInput r;
  r.Left = left;
  r.Top = top;
  r.Right = left + 200;
  r.Bottom = top + 21;
  r.DefaultPath = std::move(defaultPath);
  r.Screen = screen;
  r.Hint = "\xCF\xE0\xEF\xEA\xE0";
  return r;
}

class PathInputBoxTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    fileSystem.MapDrive('c', "/");
    fileSystem.MapDrive('d', Dir());
  }
  THostFolderNames Names() const { return THostFolderNames(fileSystem, "d:\\"); }

  void Store(const std::map<std::string, std::string>& values) {
    TRegistry settings;
    ASSERT_TRUE(settings.OpenKey(kKey, true));
    for (const auto& [name, value] : values) settings.WriteString(name, value);
  }
  std::optional<std::string> Stored(const std::string& name) {
    TRegistry settings;
    if (!settings.OpenKey(kKey, false)) return std::nullopt;
    return settings.ReadString(name);
  }

  TDosFileSystem fileSystem;
  Owner owner;
  const TDynamicPathInputArray inputs = {Box(10, 10, "c:\\a", 0), Box(10, 40, "c:\\", 1),
                                         Box(10, 70, "/srv/c/", 1)};
};

// The boxes speak host folders; a stored DOS folder and the book's DOS defaults are converted.
TEST_F(PathInputBoxTest, BoxesTakeStoredOrDefaultPathsAndWriteThemBack) {
  Store({{"PathInstall0", "d:\\\xEA\xED\xE8\xE3\xE8"}, {"pathinstall1", ""}});
  const QString home = QString::fromStdString((Dir() / "HOME").string());
  {
    TPathInputBox boxes(owner, inputs, kKey, 0, Names());
    ASSERT_EQ(boxes.Count(), 3u);
    QLineEdit* first = boxes.Edit(0);
    EXPECT_EQ(first->text(), QString::fromStdString(Dir().string()) + QString::fromUtf8("/книги/"));
    EXPECT_EQ(boxes.Edit(1)->text(), home + "/");  // stored empty: the default, "c:\\"
    EXPECT_EQ(boxes.Edit(2)->text(), "/srv/c/");
    EXPECT_EQ(first->parentWidget(), &owner);
    EXPECT_EQ(first->geometry(), QRect(10, 10, 200, 21));
    EXPECT_FALSE(first->hasFrame());
    EXPECT_EQ(first->toolTip(), QString::fromUtf8("Папка"));
    EXPECT_LE(QFontMetrics(first->font()).height(), 20);
    EXPECT_GE(QFontMetrics(first->font()).height(), 17);
    boxes.Edit(2)->setText("/srv/new");
  }
  EXPECT_EQ(Stored("PathInstall0"), Dir().string() + "/\xEA\xED\xE8\xE3\xE8/");
  EXPECT_EQ(Stored("PathInstall1"), home.toStdString() + "/");
  EXPECT_EQ(Stored("PathInstall2"), "/srv/new");
}

TEST_F(PathInputBoxTest, FollowsTheScreensAndGivesTheCurrentFolder) {
  TPathInputBox boxes(owner, inputs, kKey, 0, Names());
  const auto shown = [&] {
    std::vector<bool> visible;
    for (std::size_t i = 0; i < boxes.Count(); ++i) visible.push_back(!boxes.Edit(i)->isHidden());
    return visible;
  };
  EXPECT_EQ(shown(), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(boxes.CurrentFolder(0), std::filesystem::path("/a/"));  // the default, "c:\\a"

  boxes.ShowForScreen(1);
  EXPECT_EQ(shown(), (std::vector<bool>{false, true, true}));
  boxes.SetHidden(true, 1);
  EXPECT_EQ(shown(), (std::vector<bool>{false, false, false}));
  boxes.SetHidden(false, 1);
  EXPECT_EQ(shown(), (std::vector<bool>{false, true, true}));

  boxes.Edit(1)->setText("~/manual");
  EXPECT_EQ(boxes.CurrentFolder(1), Dir() / "HOME/manual");
  boxes.Edit(1)->setText("manual");  // relative: names no folder
  EXPECT_TRUE(boxes.HasBox(1));
  EXPECT_EQ(boxes.CurrentFolder(1), std::nullopt);
  EXPECT_FALSE(boxes.HasBox(2));
  EXPECT_EQ(boxes.CurrentFolder(2), std::nullopt);
}

TEST_F(PathInputBoxTest, PointerMovesOverABoxReachTheOwnerOutsideEveryElement) {
  TPathInputBox boxes(owner, inputs, kKey, 0, Names());
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(boxes.Edit(0), &move);
  EXPECT_EQ(owner.moves, std::vector<QPoint>{QPoint(-1, -1)});
}

TEST_F(PathInputBoxTest, NoRecordsNoBoxesAndNothingWritten) {
  { TPathInputBox boxes(owner, {}, kKey, 0, Names()); }
  EXPECT_TRUE(owner.findChildren<QLineEdit*>().isEmpty());
  EXPECT_EQ(Stored("PathInstall0"), std::nullopt);
}

}  // namespace
}  // namespace shelf
