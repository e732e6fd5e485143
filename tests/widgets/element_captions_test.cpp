#include "widgets/element_captions.h"

#include <gtest/gtest.h>

namespace shelf {
namespace {

QImage Blank() {
  QImage picture(80, 24, QImage::Format_RGB888);
  picture.fill(Qt::white);
  return picture;
}

// The same caption box, font and colours for both kinds of switch.
template <typename Switch>
Switch Captioned(const std::string& text) {
  Switch s;
  s.CaptionUp = s.CaptionDown = text;
  s.FontName = "arial";
  s.FontSize = 12;
  if constexpr (requires { s.CaptionLeft; }) {
    s.CaptionLeft = 2, s.CaptionTop = 2, s.CaptionRight = 78, s.CaptionBottom = 22;
  } else {
    s.CaptionLeftUp = 2, s.CaptionTopUp = 2, s.CaptionRightUp = 78, s.CaptionBottomUp = 22;
  }
  return s;
}

// Captions arrive lower-cased; a group switch shows the view words "2d" and "3d" as "2D" and
// "3D", and every other caption as it came.
TEST(ElementCaptions, GroupSwitchesWriteTheViewWordsInCapitals) {
  const struct {
    std::string caption, drawnAs;
  } cases[] = {{"2d", "2D"}, {"3d", "3D"}, {"3D", "3D"}, {"ab", "ab"}, {"4d", "4d"}};
  for (const auto& c : cases) {
    QImage group = Blank(), expected = Blank();
    DrawGroupCaption(group, Captioned<RSwthGrp>(c.caption), "up");
    DrawSwitchCaption(expected, Captioned<RSwthOne>(c.drawnAs), "up");
    EXPECT_EQ(group, expected) << c.caption;
  }
  QImage lower = Blank(), upper = Blank();
  DrawSwitchCaption(lower, Captioned<RSwthOne>("2d"), "up");
  DrawSwitchCaption(upper, Captioned<RSwthOne>("2D"), "up");
  EXPECT_NE(lower, upper);  // the letters really differ in this font
}

}  // namespace
}  // namespace shelf
