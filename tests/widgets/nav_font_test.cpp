#include "widgets/nav_font.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <cstdlib>

#include "platform/dos_path.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

class NavFontTest : public test::IsolatedTest {};

TEST_F(NavFontTest, CopiesTheFontsNextToThePageAndFontconfigFindsThem) {
  const fs::path font = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  if (!fs::exists(font)) GTEST_SKIP() << "no DejaVu font here";
  test::WriteTree(Dir() / "book", {{"ch/page.htm", "x"}, {"ch/notes.txt", "x"}});
  fs::copy_file(font, Dir() / "book/ch/Book.ttf");
  TDosFileSystem files;
  files.MapDrive('d', Dir() / "book");
  TNavFont installer(files);
  const fs::path target = fs::path(std::getenv("XDG_DATA_HOME")) / "fonts";
  EXPECT_EQ(installer.InstallFonts(target), 0);  // no page shown yet: nothing
  installer.SetPage("d:\\ch\\page.htm");
  EXPECT_EQ(installer.InstallFonts(target), 1);
  EXPECT_EQ(installer.InstallFonts(target), 1);  // already there: copied again
  EXPECT_TRUE(fs::exists(target / "Book.ttf"));
  QProcess list;
  list.start("fc-list", {":", "file"});
  list.waitForFinished();
  EXPECT_TRUE(QString::fromUtf8(list.readAllStandardOutput())
                  .contains(QString::fromStdString((target / "Book.ttf").string())));
}

}  // namespace
}  // namespace shelf
