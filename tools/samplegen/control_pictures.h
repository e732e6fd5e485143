// The pictures of the sample book's buttons and switches. Each is drawn over `ground`, the piece
// of the screen it stands on, so that rounded corners blend in. They carry no text: the program
// writes the captions named in Struct.txt onto them.
#pragma once

#include <QImage>

#include "tool_icons.h"

namespace shelf::samplegen {

// A button's three pictures: normal, pointer over it, pressed.
enum class TButtonState { Normal, Over, Pressed };

// A switch's four pictures, in the order of fn1 .. fn4.
struct TSwitchState {
  bool On;
  bool Over;
};
inline constexpr TSwitchState kSwitchStates[] = {
    {false, false}, {false, true}, {true, true}, {true, false}};

// The small round buttons: the title bar's, help ("?"), the thesaurus ("Т") and the plain window
// (a small frame) beside them, the font and font-installing buttons, and the picture arrows.
enum class TTitleBarGlyph {
  Minimize,
  Close,
  Help,
  Thesaurus,
  PlainWindow,
  Font,
  InstallFonts,
  Previous,
  Next
};

QImage PlateButton(const QImage& ground, TButtonState state);
QImage ToolButton(const QImage& ground, TToolIcon icon, TButtonState state);
QImage TitleBarButton(const QImage& ground, TTitleBarGlyph glyph, TButtonState state);
// A choice with a lamp, lit when chosen.
QImage LampSwitch(const QImage& ground, TSwitchState state);
// An on/off slider.
QImage SliderSwitch(const QImage& ground, TSwitchState state);

}  // namespace shelf::samplegen
