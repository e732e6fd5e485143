#include "book/layout_warnings.h"

#include <gtest/gtest.h>

#include "store/compr_stream.h"

namespace shelf {
namespace {

const TBookFolders kFolders{"d:\\book\\run\\", "d:\\book\\", "d:\\", {}, {}, {}};

TInterfaceDescription Parse(const std::string& text) {
  TComprStream stream(text);
  const TDynamicStringArray lines = ReadDescriptionLines(stream);
  TInterfaceDescription description;
  description.ReadMainKeywords(lines, kFolders);
  description.ReadSections(lines, kFolders);
  return description;
}

// A clip window over a page area of its own screen is the author's mistake to warn of, at the
// clip's line; beside the page, on another screen, or touching its edge only, it is not.
TEST(LayoutWarnings, AClipWindowOverAPageAreaOfItsScreenIsWarnedOf) {
  const std::string page = "2_html vx=33;vy=90;vw=706;vh=511;fn=a.htm;number=1\r\n";
  const struct {
    const char* what;
    std::string clip;
    bool warned;
  } cases[] = {
      {"in the page's corner", "2_clip vx=580;vy=404;vw=700;vh=494;bgcolor=0,0,0;html=1\r\n", true},
      {"across the page's edge", "2_clip vx=700;vy=500;vw=790;vh=590;bgcolor=0,0,0;html=1\r\n",
       true},
      {"below the page, touching its edge",
       "2_clip vx=680;vy=511;vw=768;vh=587;bgcolor=0,0,0;html=1\r\n", false},
      {"on another screen", "1_clip vx=580;vy=404;vw=700;vh=494;bgcolor=0,0,0;html=1\r\n", false},
  };
  for (const auto& c : cases) {
    const TInterfaceDescription d = Parse("; a book\r\n" + page + c.clip);
    EXPECT_TRUE(d.Problems.empty()) << c.what;
    const auto warnings = LayoutWarnings(d);
    ASSERT_EQ(warnings.size(), c.warned ? 1u : 0u) << c.what;
    if (!c.warned) continue;
    EXPECT_EQ(warnings[0].Line, 3u) << c.what;
    EXPECT_NE(warnings[0].Message.find("warning: the clip window"), std::string::npos);
    EXPECT_NE(warnings[0].Message.find("page area 1"), std::string::npos);
  }
}

}  // namespace
}  // namespace shelf
