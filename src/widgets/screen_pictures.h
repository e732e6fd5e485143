// The pictures of the screen on show: per button its normal, pointer-over and pressed
// pictures, per switch its four pictures, and the background composed from the screen's
// picture with every normal button and off switch drawn on it.
#pragma once

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "book/element_records.h"

namespace shelf {

class TBookStore;

// Where an element's pictures are drawn.
template <typename Element>
QRect ElementRect(const Element& e) {
  return QRect(e.Left, e.Top, e.Right - e.Left, e.Bottom - e.Top);
}

// Copies `picture` plainly to `element`: its top-left part of the element's size at the
// element's corner, never scaled, so a picture of another size looks as it does in a fade.
void CopyElementPicture(QPainter& painter, const QRect& element, const QImage& picture);

// Strictly inside: the edge lines belong to no element.
template <typename Element>
bool ElementContains(const Element& e, QPoint p) {
  return e.Left < p.x() && p.x() < e.Right && e.Top < p.y() && p.y() < e.Bottom;
}

struct TBtnPictures {
  QImage Up, Move, Down;
  std::uint8_t OverFlag = 0;  // the pointer is over the button
  std::uint8_t DownFlag = 0;  // pressed and not yet released
};

// Off, off with the pointer over it, on with the pointer over it, on.
struct TSwitchPictures {
  QImage Up, MoveUp, MoveDown, Down;
  const QImage& Shown(bool on, bool hover) const {
    return on ? (hover ? MoveDown : Down) : (hover ? MoveUp : Up);
  }
};

// A button's pictures (a picture that cannot be read stays empty), its Right and Bottom set from
// the first one, its caption drawn onto them.
TBtnPictures LoadButtonPictures(RBtn& button, const TBookStore& store,
                                const std::string& programDir);
// The same for a group switch's four pictures.
TSwitchPictures LoadSwitchPictures(RSwthGrp& element, const TBookStore& store,
                                   const std::string& programDir);

class TScreenPictures {
 public:
  // Loads every element picture of `screen` from the book (a picture that cannot be read stays
  // empty), sets each element's Right and Bottom from its first picture, draws the captions and
  // composes the background over `screenPicture`.
  void Build(RScreen& screen, const QImage& screenPicture, const TBookStore& store,
             const std::string& programDir);

  const QImage& Background() const { return background_; }
  QImage& Background() { return background_; }
  std::vector<TBtnPictures> Buttons;
  std::vector<TSwitchPictures> SwitchesOne;
  std::vector<TSwitchPictures> SwitchesGrp;

 private:
  QImage background_;
};

}  // namespace shelf
