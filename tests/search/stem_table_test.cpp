#include "search/stem_table.h"

#include <gtest/gtest.h>

namespace shelf::test {
namespace {

TEST(StemTableTest, ReadsWhatItWritesAndSkipsDamagedLines) {
  TStemTable table;
  for (const char* line : {"abc:1:7", ":3", "nocolon", "bad:2:x", "zero:0", "abc:9", "last:4"})
    table.AddStemsLine(line);
  EXPECT_EQ(table.Lines("abc"), (std::vector<int>{1, 7, 9}));
  EXPECT_EQ(table.Lines("last"), (std::vector<int>{4}));
  for (const char* stem : {"", "nocolon", "bad", "zero"}) EXPECT_TRUE(table.Lines(stem).empty());
  EXPECT_EQ(WriteStemLines({{"abc", {1, 7}}, {"b", {2}}}), "abc:1:7\r\nb:2\r\n");
}

}  // namespace
}  // namespace shelf::test
