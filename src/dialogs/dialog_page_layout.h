// Where a page of the drawn dialog puts its message and buttons: a message wider than the text
// area widens the page by the difference, stretching the picture's middle column, and moves the
// buttons by their alignment; a message that fits is centred in the text area.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <cstddef>
#include <vector>

#include "dialogs/dialog_description.h"

namespace shelf {

// A message widens its page by at most kMaxDialogWidening columns and is cut at the page's edge
// beyond; only its first kMaxDialogMessage characters are measured and drawn. (A list of names
// from a hostile archive could be megabytes long: the page would be wider than any memory.)
constexpr int kMaxDialogWidening = 4096;
constexpr std::size_t kMaxDialogMessage = 4096;

struct TDialogPageLayout {
  int Extra = 0;               // columns added to the picture's width
  QPoint TextAt;               // the message's top-left corner
  QRect TextClip;              // the message is cut to this
  std::vector<QRect> Buttons;  // the page's buttons, moved by their alignment
};

// `message`: the message's width and height in the page's text font (an empty size for no
// message). A page without a text area takes no message and keeps its width. The buttons'
// Right and Bottom must already come from their pictures.
TDialogPageLayout LayOutDialogPage(const RDialogPage& page, QSize message);

// `picture` with `extra` copies of its middle column (x = width div 2) put in at that column.
QImage WidenPicture(const QImage& picture, int extra);

}  // namespace shelf
