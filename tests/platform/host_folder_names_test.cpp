#include "platform/host_folder_names.h"

#include <gtest/gtest.h>

#include "platform/cp1251.h"
#include "platform/dos_path.h"
#include "test_support.h"

namespace shelf {
namespace {
namespace fs = std::filesystem;

class HostFolderNamesTest : public test::IsolatedTest {
 protected:
  void SetUp() override {
    IsolatedTest::SetUp();
    fs::create_directories(Dir() / "disc/Manual");
    fileSystem.MapDrive('d', Dir() / "disc");
    fileSystem.MapDrive('c', "/");
  }
  QString Home() const { return QString::fromStdString((Dir() / "HOME").string()); }
  QString Disc() const { return QString::fromStdString((Dir() / "disc").string()); }

  TDosFileSystem fileSystem;
};

TEST_F(HostFolderNamesTest, BookAndStoredFoldersAreShownAsHostFolders) {
  const THostFolderNames names(fileSystem, "d:\\");
  const struct {
    std::string stored;  // UTF-8 here, Windows-1251 in the settings
    QString shown;
  } cases[] = {
      {"c:\\", Home() + "/"},  // another drive's root: where the reader can write
      {"e:", Home() + "/"},
      {"d:\\", Disc() + "/"},  // the book's own drive is its medium
      {"d:\\manual\\книги", Disc() + "/Manual/книги/"},
      {"c:\\tmp\\out\\", "/tmp/out/"},
      {"/home/reader/manual/", "/home/reader/manual/"},
      {"~/книги", "~/книги"},
  };
  for (const auto& c : cases) EXPECT_EQ(names.Shown(*Utf8ToCp1251(c.stored)), c.shown) << c.stored;
}

TEST_F(HostFolderNamesTest, TypedTextNamesAHostFolderOrNone) {
  const THostFolderNames names(fileSystem, "d:\\");
  const fs::path home = Dir() / "HOME";
  const struct {
    QString typed;
    std::optional<fs::path> folder;
  } cases[] = {
      {"/home/reader/manual/", fs::path("/home/reader/manual/")},
      {"  /tmp/x  ", fs::path("/tmp/x")},
      {"~", home},
      {QString::fromUtf8("~/книги"), home / "книги"},
      {"c:\\", home},
      {"d:\\manual", Dir() / "disc/Manual"},
      {"manual", std::nullopt},  // relative: no folder a copy could trust
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(names.Folder(c.typed), c.folder) << c.typed.toStdString();
}

}  // namespace
}  // namespace shelf
