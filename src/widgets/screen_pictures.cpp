#include "widgets/screen_pictures.h"

#include <QPainter>

#include "platform/cp1251.h"
#include "store/book_text.h"
#include "widgets/book_picture.h"
#include "widgets/element_captions.h"

namespace shelf {
namespace {

template <typename Element>
void TakeSize(Element& element, const QImage& first) {
  if (first.isNull()) return;
  element.Right = element.Left + first.width();
  element.Bottom = element.Top + first.height();
}

bool HasCaption(const std::string& caption) {
  return !TrimText(caption).empty();
}

// Loads the four pictures of a switch and draws its captions with `draw`.
template <typename Switch, typename DrawCaption>
TSwitchPictures LoadSwitch(Switch& s, const TBookStore& store, const std::string& programDir,
                           DrawCaption draw) {
  TSwitchPictures p;
  p.Up = LoadBookPicture(store, programDir + s.PictureUp);
  p.MoveUp = LoadBookPicture(store, programDir + s.PictureMoveUp);
  p.MoveDown = LoadBookPicture(store, programDir + s.PictureMoveDown);
  p.Down = LoadBookPicture(store, programDir + s.PictureDown);
  TakeSize(s, p.Up);
  if (HasCaption(s.CaptionUp)) {
    draw(p.Up, s, "up");
    draw(p.MoveUp, s, "mvup");
  }
  if (HasCaption(s.CaptionDown)) {
    draw(p.MoveDown, s, "mvdn");
    draw(p.Down, s, "dn");
  }
  return p;
}

}  // namespace

TBtnPictures LoadButtonPictures(RBtn& b, const TBookStore& store, const std::string& programDir) {
  TBtnPictures p;
  p.Up = LoadBookPicture(store, programDir + b.PictureUp);
  p.Move = LoadBookPicture(store, programDir + b.PictureMove);
  p.Down = LoadBookPicture(store, programDir + b.PictureDown);
  TakeSize(b, p.Up);
  if (HasCaption(b.Caption)) {
    DrawButtonCaption(p.Up, b, "up");
    DrawButtonCaption(p.Move, b, "mv");
    DrawButtonCaption(p.Down, b, "dn");
  }
  return p;
}

TSwitchPictures LoadSwitchPictures(RSwthGrp& s, const TBookStore& store,
                                   const std::string& programDir) {
  return LoadSwitch(s, store, programDir, DrawGroupCaption);
}

void TScreenPictures::Build(RScreen& screen, const QImage& screenPicture, const TBookStore& store,
                            const std::string& programDir) {
  Buttons.clear();
  for (RBtn& b : screen.Buttons) Buttons.push_back(LoadButtonPictures(b, store, programDir));
  SwitchesOne.clear();
  for (RSwthOne& s : screen.SwitchesOne)
    SwitchesOne.push_back(LoadSwitch(s, store, programDir, DrawSwitchCaption));
  SwitchesGrp.clear();
  for (RSwthGrp& s : screen.SwitchesGrp)
    SwitchesGrp.push_back(LoadSwitchPictures(s, store, programDir));

  background_ = screenPicture.convertToFormat(QImage::Format_RGB888);
  QPainter painter(&background_);
  for (size_t i = 0; i < Buttons.size(); ++i)
    CopyElementPicture(painter, ElementRect(screen.Buttons[i]), Buttons[i].Up);
  for (size_t i = 0; i < SwitchesOne.size(); ++i)
    CopyElementPicture(painter, ElementRect(screen.SwitchesOne[i]), SwitchesOne[i].Up);
  for (size_t i = 0; i < SwitchesGrp.size(); ++i)
    CopyElementPicture(painter, ElementRect(screen.SwitchesGrp[i]), SwitchesGrp[i].Up);
}

void CopyElementPicture(QPainter& painter, const QRect& element, const QImage& picture) {
  painter.drawImage(element.topLeft(), picture, QRect(QPoint(0, 0), element.size()));
}

}  // namespace shelf
