#include "shell/dropped_file.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace shelf
