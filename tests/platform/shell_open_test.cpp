#include "platform/shell_open.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>

#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

TEST(DialogFilter, WindowsFilterPairsBecomeOneEntryEach) {
  const std::pair<const char*, const char*> cases[] = {
      {"Zip файлы (*.zip)|*.zip|Все файлы (*.*)|*.*", "Zip файлы (*.zip);;Все файлы (*.*)"},
      {"Pictures|*.bmp;*.gif", "Pictures (*.bmp *.gif)"},  // patterns shown when missing
      {"Text (*.txt)|*.txt|dangling", "Text (*.txt)"},
      {"", ""},
  };
  for (const auto& [windows, qt] : cases) EXPECT_EQ(DialogFilter(windows), qt) << windows;
}

class ShellOpenTest : public test::IsolatedTest {};

TEST_F(ShellOpenTest, WindowsProgramsRunOnlyWhereTheDesktopNamesAProgramForThem) {
  int argc = 1;
  char name[] = "shell_open_test";
  char* argv[] = {name};
  QCoreApplication app(argc, argv);
  // Only this test's own desktop settings count; the system's file kinds still do.
  const fs::path shared = Dir() / "shared";
  fs::create_directories(shared);
  fs::create_directory_symlink("/usr/share/mime", shared / "mime");
  setenv("XDG_DATA_DIRS", shared.c_str(), 1);
  setenv("XDG_CONFIG_DIRS", (Dir() / "none").c_str(), 1);
  const fs::path config = std::getenv("XDG_CONFIG_HOME");
  const fs::path data = std::getenv("XDG_DATA_HOME");
  test::WriteTree(Dir(), {{"setup.exe", "MZ"}});
  TShellOpen desktop;
  EXPECT_FALSE(desktop.HasHandler(Dir() / "setup.exe"));

  test::WriteTree(config, {{"mimeapps.list",
                            "[Default Applications]\n"
                            "application/x-ms-dos-executable=runner.desktop\n"}});
  test::WriteTree(data, {{"applications/runner.desktop",
                          "[Desktop Entry]\nType=Application\nName=Runner\nExec=true %f\n"}});
  EXPECT_TRUE(desktop.HasHandler(Dir() / "setup.exe"));
  EXPECT_FALSE(desktop.OpenFile(Dir() / "missing.pdf"));  // nothing to hand over

  const fs::path before = fs::current_path();
  EXPECT_TRUE(desktop.SetCurrentFolder(Dir()));
  EXPECT_EQ(fs::current_path(), Dir());
  EXPECT_FALSE(desktop.SetCurrentFolder(Dir() / "absent"));
  fs::current_path(before);
  unsetenv("XDG_DATA_DIRS");
  unsetenv("XDG_CONFIG_DIRS");
}

}  // namespace
}  // namespace shelf
