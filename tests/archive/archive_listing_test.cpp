#include "archive/archive_listing.h"

#include <gtest/gtest.h>

namespace shelf {
namespace {

// Names of the given depth under a folder of their own: every level implies a folder.
std::vector<RListFiles> DeepFiles(int count, int depth) {
  std::vector<RListFiles> files;
  for (int i = 0; i < count; ++i) {
    std::string name = "top" + std::to_string(i);
    for (int level = 0; level < depth; ++level) name += "\\d";
    files.push_back({name + "\\f.txt", 1, 0});
  }
  return files;
}

TEST(ArchiveListing, ImpliedFoldersStopAtTheBoundAndTheFilesInOthersWithThem) {
  // Deep names: 15 030 folders implied, each level a name as long as its depth.
  const std::vector<RInfoFiles> deep = BuildFolderPages({{"", "", 0}}, DeepFiles(30, 500), "1");
  EXPECT_EQ(deep.size(), kMaxListedFolders);

  // One file in each of more folders than the bound: the root and the first folders are listed.
  std::vector<RListFiles> wide;
  for (std::size_t i = 0; i < kMaxListedFolders + 10; ++i)
    wide.push_back({"d" + std::to_string(i) + "\\f.txt", 1, 0});
  const std::vector<RInfoFiles> pages = BuildFolderPages({{"", "", 0}}, wide, "1");
  ASSERT_EQ(pages.size(), kMaxListedFolders);
  std::size_t listed = 0;
  for (const RInfoFiles& page : pages) listed += page.Files.size();
  EXPECT_EQ(listed, kMaxListedFolders - 1);
  EXPECT_EQ(pages[1].SubDirs.at(0).Name, "..");  // listed folders still link to their parents

  // Stored folders beyond the bound are left out as well.
  TListDir stored{{"", "", 0}};
  for (std::size_t i = 0; i < kMaxListedFolders + 5; ++i)
    stored.push_back({"f" + std::to_string(i), "", 0});
  EXPECT_EQ(BuildFolderPages(stored, {}, "1").size(), kMaxListedFolders);
}

}  // namespace
}  // namespace shelf
