#include "html/file_page.h"

#include <gtest/gtest.h>

namespace shelf {
namespace {

TEST(FilePage, PicturesAndTextFilesOpenAsPagesThatShowThem) {
  struct Case {
    const char* file;
    const char* bytes;
    const char* contains;
  } cases[] = {
      {"d:\\book\\html\\pic\\Fuse_Box.BMP", "BM..", "<img src=\"Fuse_Box.BMP\""},
      {"d:\\book\\html\\pic\\belt.gif", "GIF89a", "<img src=\"belt.gif\""},
      {"d:\\book\\doc\\checklist.txt", "1. a < b\r\n2. c & d",
       "<pre>1. a &lt; b\r\n2. c &amp; d</pre>"},
      {"d:\\book\\html\\engine.htm", "<p>page</p>", "<p>page</p>"},
      {"d:\\book\\html.v2\\readme", "<p>page</p>", "<p>page</p>"},  // a dot in a folder name
  };
  for (const auto& c : cases)
    EXPECT_NE(PageForFile(c.file, c.bytes).find(c.contains), std::string::npos) << c.file;
  EXPECT_EQ(PageForFile("d:\\a.htm", "<b>x</b>"), "<b>x</b>");
}

}  // namespace
}  // namespace shelf
