#include "widgets/status_line.h"

#include <gtest/gtest.h>

#include "draw_target_fake.h"
#include "widgets/text_msg.h"

namespace shelf {
namespace {

class StatusLineTest : public ::testing::Test {
 protected:
  static RText StatusLabel() {
    RText r;
    r.Ident = "statusline";
    return r;
  }

  test::FakeDrawTarget window;
  TTextMsg labels{{StatusLabel()}, &window};
  TStatusLine status{&labels};
};

TEST_F(StatusLineTest, BlinksFortyTimesThenStaysHidden) {
  status.Show("Found");
  EXPECT_EQ(labels.Text(0), "Found");
  EXPECT_TRUE(status.Blinking());
  for (int blink = 1; blink <= 39; ++blink) {
    status.Blink();
    ASSERT_EQ(labels.Text(0), blink % 2 ? "" : "Found") << blink;
  }
  EXPECT_TRUE(status.Blinking());
  status.Blink();
  EXPECT_FALSE(status.Blinking());
  EXPECT_EQ(labels.Text(0), "");
}

TEST_F(StatusLineTest, ShowingTheSameTextAgainRestartsWithoutFlickerAndClearEmpties) {
  status.Show("Found");
  status.Blink();
  status.Blink();
  const std::size_t repaints = window.repaints.size();
  status.Show("Found");  // the label shows it already
  EXPECT_EQ(window.repaints.size(), repaints);
  status.Blink();
  EXPECT_EQ(labels.Text(0), "");  // the count began anew: the first blink hides

  status.Clear();
  EXPECT_FALSE(status.Blinking());
  EXPECT_EQ(status.Message(), "");
  EXPECT_EQ(labels.Text(0), "");
}

TEST(StatusLine, WithoutLabelsShowsNothing) {
  TStatusLine status(nullptr);
  status.Show("Found");
  EXPECT_FALSE(status.Blinking());
  status.Clear();
}

}  // namespace
}  // namespace shelf
