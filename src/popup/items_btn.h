// One item of a popup window: three pictures (normal, pointer over it, pressed) with its
// caption drawn on them, shortened with "..." when it does not fit, and the command it runs.
// The popup window paints and hit-tests it; the item has no window of its own.
#pragma once

#include <QImage>
#include <QRect>
#include <string>

#include "book/element_records.h"

namespace shelf {

class TBookStore;

class TItemsBtn {
 public:
  // Takes the picture names, fonts and colours of the item at `position` of `record` (the
  // first picture name for items beyond the lists), clears the command, caption and hint.
  void Setup(const RPopupData& record, int position);
  // Reads the three pictures afresh (a picture that fails keeps the previous one); the item's
  // size becomes the normal picture's.
  void LoadPictures(const TBookStore& store);
  // Draws `caption` on fresh pictures; no change when it equals the current caption.
  void SetItemCaption(const TBookStore& store, const std::string& caption);

  std::string Command;
  bool Shown = false;
  bool Placed = false;
  bool Hovered = false;
  bool Pressed = false;
  QRect Bounds;  // in the popup window

  const std::string& Caption() const { return caption_; }
  const std::string& Hint() const { return hint_; }
  // The caption as drawn on the normal picture.
  const std::string& ShownCaption() const { return shownCaption_; }
  const QImage& Picture() const;

 private:
  QImage up_, move_, down_;
  std::string pictureUp_, pictureMove_, pictureDown_;
  std::string fontUp_, fontMove_;
  std::int32_t sizeUp_ = 0, sizeMove_ = 0;
  std::string styleUp_, styleMove_;
  std::int32_t colorUp_ = 0, colorMove_ = 0;
  std::string caption_, hint_, shownCaption_;
};

}  // namespace shelf
