#include "shell/dropped_file.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include "platform/cp1251.h"
#include "shell/book_window_test.h"
#include "shell/main_form.h"

namespace shelf {
namespace {

TEST(DroppedFileTest, TheFirstMatchingRuleWins) {
  const struct {
    const char* name;
    TDroppedFile kind;
  } cases[] = {
      {"c:\\x\\page.htm", TDroppedFile::Page},
      {"c:\\x\\x.htm.rar", TDroppedFile::Page},
      {"c:\\x\\photo.jpeg", TDroppedFile::Page},
      {"c:\\x\\notes.txt", TDroppedFile::Page},
      {"c:\\x\\set.part1.rar", TDroppedFile::Archive},
      {"c:\\x\\song.mp3", TDroppedFile::Sound},
      {"c:\\x\\a.wav.zip", TDroppedFile::Sound},
      {"c:\\x\\tool.exe", TDroppedFile::Nothing},
      {"", TDroppedFile::Nothing},
  };
  for (const auto& c : cases) EXPECT_EQ(DroppedFileKind(c.name), c.kind) << c.name;
}

TEST(DroppedFileTest, NamesAreCutAndLowerCasedInAsciiOnly) {
  EXPECT_EQ(DroppedFileName("C:\\Books\\PAGE.HTM"), "c:\\books\\page.htm");
  EXPECT_EQ(DroppedFileName("c:\\\xC0\xC1.RAR"), "c:\\\xC0\xC1.rar");  // Cyrillic keeps its case
  EXPECT_EQ(DroppedFileName(std::string(250, 'A')).size(), 200u);
  // A name cut before its extension is no longer a page.
  EXPECT_EQ(DroppedFileKind(DroppedFileName(std::string(198, 'a') + ".htm")),
            TDroppedFile::Nothing);
}

class DroppedFileWindowTest : public test::BookWindowTest {};

// Book files are named in Windows-1251: a file whose name it cannot hold is refused aloud.
TEST_F(DroppedFileWindowTest, AFileNamedOutsideWindows1251IsRefusedWithTheReason) {
  auto session = Open(SHELF_SAMPLE_BOOK);
  TMainForm form(*session);
  ASSERT_EQ(form.BuildBookShell(), std::nullopt);
  const std::filesystem::path file = Dir() / "страница ü.htm";
  test::WriteTree(Dir(), {{file.filename().string(), "<p>x</p>"}});

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
  QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &enter);
  QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &drop);

  QString shown;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
      shown = box->text();
      box->close();
    }
  EXPECT_TRUE(shown.contains("страница ?.htm")) << shown.toStdString();
  EXPECT_TRUE(shown.contains("нельзя открыть")) << shown.toStdString();
  EXPECT_TRUE(shown.contains("Windows-1251")) << shown.toStdString();
}

}  // namespace
}  // namespace shelf
