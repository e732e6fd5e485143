// The sample thesaurus window's picture: a small blueprint panel with its title, the find box,
// the tool keys and the frame of its page; Tesaurus.txt names the same places.
#pragma once

#include <QImage>
#include <QRect>
#include <array>

namespace shelf::samplegen {

namespace thesaurus_layout {
constexpr QSize kSize(640, 480);
constexpr QRect kMinimize(588, 10, 20, 20);
constexpr QRect kClose(612, 10, 20, 20);
constexpr QRect kFindBox(92, 52, 220, 20);
// Find, back, forward, to the top of the page.
constexpr std::array<QRect, 4> kTools{QRect(326, 46, 56, 30), QRect(430, 46, 56, 30),
                                      QRect(492, 46, 56, 30), QRect(554, 46, 56, 30)};
constexpr QRect kPage(20, 90, 600, 350);
constexpr QRect kStatus(20, 452, 600, 18);
}  // namespace thesaurus_layout

QImage ThesaurusScreen();

}  // namespace shelf::samplegen
