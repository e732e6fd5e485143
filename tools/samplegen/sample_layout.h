// Where the sample book's elements stand on its two screens, in window pixels. Struct.txt names
// the same points; the art under and around each element is drawn to fit them.
#pragma once

#include <QRect>
#include <array>

namespace shelf::samplegen::layout {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Both screens: the title-bar buttons inside the top right corner of the outline.
constexpr QRect kMinimize(728, 23, 20, 20);
constexpr QRect kClose(752, 23, 20, 20);
// Beside them: help on both screens; the thesaurus and the plain window on the reading screen.
constexpr QRect kHelp(704, 23, 20, 20);
constexpr QRect kThesaurus(680, 23, 20, 20);
constexpr QRect kPlainWindow(656, 23, 20, 20);

// Title screen: a row of settings above the band of four buttons.
constexpr QRect kSettingsRow(40, 460, 720, 56);
constexpr QRect kSoundSwitch(54, 475, 134, 26);
constexpr std::array<QRect, 2> kEngineSwitches{QRect(628, 475, 60, 26), QRect(692, 475, 60, 26)};
// The program shows its busy animation (piston.gif, 36 x 36) at 583, 470 on this screen.
constexpr QRect kBusyAnimation(583, 470, 36, 36);
constexpr QRect kButtonBand(40, 522, 720, 46);
constexpr std::array<QRect, 4> kTitleButtons{QRect(64, 527, 150, 36), QRect(238, 527, 150, 36),
                                             QRect(412, 527, 150, 36), QRect(586, 527, 150, 36)};

// Title screen: the film switch ("3d" / "2d"), the music button and the case-sensitive search
// switch in the settings row.
constexpr QRect kVideoSwitch(200, 475, 134, 26);
constexpr QRect kMusicButton(348, 475, 40, 26);
constexpr QRect kCaseSwitch(398, 475, 100, 26);
// Title screen: where the program plays the film "car.avi" over the drawing (its own fixed
// place); the headline stays above it and the photographs beside it.
constexpr QRect kFilmPanel(QPoint(31, 135), QPoint(686, 393));

// Reading screen: the clip window in a frame of its own in the lower right corner, beside the
// page panel and under the tool rail, and its five buttons left of it under the folder box.
constexpr QRect kClipWindow(680, 521, 88, 66);
constexpr int kClipButtonsLeft = 544;
constexpr int kClipButtonsTop = 557;
constexpr QSize kClipButtonSize(24, 24);

// Title screen: two picture areas in a column right of the film panel and the arrows under them
// that step the lower one (the last area of a screen is the one that steps).
constexpr std::array<QRect, 2> kPictureAreas{QRect(700, 140, 84, 104), QRect(700, 256, 84, 104)};
constexpr QRect kPreviousPicture(714, 368, 20, 20);
constexpr QRect kNextPicture(750, 368, 20, 20);
// Reading screen: the font and font-installing buttons left of the plain-window, thesaurus and
// help buttons.
constexpr QRect kFontButton(632, 23, 20, 20);
constexpr QRect kInstallFontsButton(608, 23, 20, 20);

// Reading screen: the program's white page panel, a tool rail at its right, the status line and
// the folder box under it.
constexpr QRect kPagePanel(33, 90, 673, 421);
constexpr QRect kToolRail(719, 83, 72, 428);
constexpr int kToolLeft = 727;
constexpr QSize kToolSize(56, 30);
// Tops of the twelve tools: to the title | back, forward, the two history lists | chapters |
// bookmarks, add one, remove one | find, print.
constexpr std::array<int, 12> kToolTops{90, 128, 161, 194, 227, 265, 298, 336, 369, 402, 440, 473};
// The groups end below these tools; the rail draws a rule there.
constexpr std::array<int, 4> kToolGroupEnds{0, 4, 6, 9};
constexpr QRect kStatusBox(33, 525, 284, 24);
constexpr QRect kPathBox(437, 525, 147, 24);
// Unpacks the archive on show into the path box's folder.
constexpr QRect kUnpackTool(592, 523, 40, 28);

}  // namespace shelf::samplegen::layout
