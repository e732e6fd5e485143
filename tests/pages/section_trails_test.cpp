#include "pages/section_trails.h"

#include <gtest/gtest.h>

namespace shelf {
namespace {

TEST(SectionTrails, ButtonPagesStartTrailsAndShownPagesJoinTheCurrentOne) {
  TSectionTrails trails;
  trails.PageShown("d:\\run\\start.htm");  // before any button: nothing to join
  EXPECT_TRUE(trails.Trails().empty());
  EXPECT_EQ(trails.FirstItem(), "");

  trails.AddSectionTrail("d:\\run\\engine.htm");
  trails.PageShown("d:\\run\\engine.htm");  // the button's own page is in its trail
  trails.PageShown("d:\\run\\Timing.HTM");
  trails.AddSectionTrail("d:\\run\\brakes.htm");
  trails.PageShown("d:\\run\\brakes.htm");
  EXPECT_EQ(trails.Trails(), (std::vector<std::string>{"d:\\run\\engine.htm; d:\\run\\timing.htm",
                                                       "d:\\run\\brakes.htm"}));
  EXPECT_EQ(trails.CurrentTrail(), 1);

  trails.PageShown("d:\\run\\timing.htm");  // back in the engine's section
  EXPECT_EQ(trails.CurrentTrail(), 0);
  EXPECT_EQ(trails.FirstItem(), "d:\\run\\engine.htm");
  trails.AddSectionTrail("d:\\run\\brakes.htm");  // a trail that holds the page is reused
  EXPECT_EQ(trails.Trails().size(), 2u);
  EXPECT_EQ(trails.CurrentTrail(), 1);
}

}  // namespace
}  // namespace shelf
