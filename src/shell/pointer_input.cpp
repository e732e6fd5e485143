#include "shell/pointer_input.h"

namespace shelf {

void TPointerInput::PointerMove(QPoint at) {
  RScreen& screen = host_.Screen();
  TScreenPictures& pictures = host_.Pictures();
  for (size_t i = 0; i < screen.Buttons.size(); ++i) {
    TBtnPictures& p = pictures.Buttons[i];
    const bool inside = ElementContains(screen.Buttons[i], at);
    if (inside && !p.OverFlag) {
      host_.FadeElement(TElementKind::Button, i, p.Up, p.Move);
      p.OverFlag = 1;
    } else if (!inside && p.OverFlag) {
      host_.FadeElement(TElementKind::Button, i, p.Move, p.Up);
      p.OverFlag = 0;
      p.DownFlag = 0;
    }
  }
  for (size_t i = 0; i < screen.SwitchesOne.size(); ++i) {
    RSwthOne& s = screen.SwitchesOne[i];
    const TSwitchPictures& p = pictures.SwitchesOne[i];
    const bool inside = ElementContains(s, at);
    if (inside != static_cast<bool>(s.Hover)) {
      host_.FadeElement(TElementKind::SwitchOne, i, p.Shown(s.State, s.Hover),
                        p.Shown(s.State, inside));
      s.Hover = inside;
    }
  }
  for (size_t i = 0; i < screen.SwitchesGrp.size(); ++i) {
    RSwthGrp& s = screen.SwitchesGrp[i];
    const bool inside = ElementContains(s, at);
    if (inside != static_cast<bool>(s.Hover)) {
      s.Hover = inside;
      host_.RedrawElement(TElementKind::SwitchGrp, i);
    }
  }
}

void TPointerInput::PointerDown(QPoint at, bool shift) {
  RScreen& screen = host_.Screen();
  TScreenPictures& pictures = host_.Pictures();
  for (size_t i = 0; i < screen.Buttons.size(); ++i) {
    TBtnPictures& p = pictures.Buttons[i];
    if (ElementContains(screen.Buttons[i], at) && !p.DownFlag) {
      host_.FadeElement(TElementKind::Button, i, p.Move, p.Down);
      p.DownFlag = 1;
      return;
    }
  }
  for (size_t i = 0; i < screen.SwitchesOne.size(); ++i) {
    RSwthOne& s = screen.SwitchesOne[i];
    if (!ElementContains(s, at)) continue;
    const TSwitchPictures& p = pictures.SwitchesOne[i];
    host_.FadeElement(TElementKind::SwitchOne, i, p.Shown(s.State, true), p.Shown(!s.State, true));
    s.State = !s.State;
    if (!shift)
      host_.Execute(s.State ? s.CommandDown : s.CommandUp, s.Sound, TElementKind::SwitchOne, i);
    return;
  }
  for (size_t i = 0; i < screen.SwitchesGrp.size(); ++i) {
    RSwthGrp& s = screen.SwitchesGrp[i];
    if (!ElementContains(s, at)) continue;
    if (s.State) return;  // a group switch is turned off only by its partners
    for (size_t k = 0; k < screen.SwitchesGrp.size(); ++k) {
      RSwthGrp& partner = screen.SwitchesGrp[k];
      if (k == i || partner.Group != s.Group || !partner.State) continue;
      partner.State = 0;
      host_.RedrawElement(TElementKind::SwitchGrp, k);
    }
    s.State = 1;
    // A Shift-click shows the plain "on" picture until the pointer moves again.
    s.Hover = !shift;
    host_.RedrawElement(TElementKind::SwitchGrp, i);
    if (!shift) host_.Execute(s.Command, s.Sound, TElementKind::SwitchGrp, i);
    return;
  }
  host_.StartWindowDrag();
}

void TPointerInput::PointerUp(QPoint at) {
  const int screenBefore = host_.CurrentScreen();
  for (size_t i = 0; i < host_.Screen().Buttons.size(); ++i) {
    const RBtn& b = host_.Screen().Buttons[i];
    if (!ElementContains(b, at)) continue;
    TBtnPictures& p = host_.Pictures().Buttons[i];
    if (!p.DownFlag) {
      host_.FadeElement(TElementKind::Button, i, p.Down, p.Up);
      continue;
    }
    p.DownFlag = 0;
    const std::string command = b.Command;  // the command may rebuild the screen
    const bool leaves =
        command.rfind("screen2", 0) == 0 || command == "1" || command.rfind("exit", 0) == 0;
    if (!leaves) host_.FadeElement(TElementKind::Button, i, p.Down, p.Move);
    host_.Execute(command, b.Sound, TElementKind::Button, i);
    if (host_.CurrentScreen() != screenBefore) return;
  }
  RScreen& screen = host_.Screen();
  for (RSwthGrp& s : screen.SwitchesGrp) {
    if (!ElementContains(s, at)) continue;
    s.Hover = 0;
    PointerMove(at);
  }
}

}  // namespace shelf
