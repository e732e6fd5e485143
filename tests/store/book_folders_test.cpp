#include "store/book_folders.h"

#include <gtest/gtest.h>

namespace shelf {
namespace {

TEST(BookFolders, BookRootAndCdRootComeFromTheProgramFolder) {
  struct Case {
    const char* programDir;
    const char* bookRoot;
    const char* cdRoot;
  } cases[] = {
      {"d:\\book\\run\\", "d:\\book\\", "d:\\"},
      {"D:\\Book\\RUN\\", "D:\\Book\\", "d:\\"},
      {"d:\\book\\", "d:\\book\\", "d:\\"},         // no run\: the book is its own root
      {"d:\\myrun\\run\\", "d:\\myrun\\", "d:\\"},  // the first "run\" goes, wherever it is
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BookRootOf(c.programDir), c.bookRoot) << c.programDir;
    EXPECT_EQ(CdRootOf(c.programDir), c.cdRoot) << c.programDir;
  }
}

}  // namespace
}  // namespace shelf
