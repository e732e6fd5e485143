// Lines that hold only pictures are as high as their pictures on pages of the old modes (quirks
// and almost standards), as browsers lay them out: a table cell holding a 1-pixel spacer picture
// is one pixel high, not a line of text (private to the page engine).
#pragma once

#include <litehtml/litehtml.h>

#include <vector>

namespace shelf {

class TPictureLines {
 public:
  // Marks each block whose one line holds only pictures (white space before and after aside) so
  // the engine lays it out without a text line's height.
  static void Run(litehtml::element& root);

 private:
  struct TScan {
    bool LastPicture = false;
    bool SpaceAfterPicture = false;
    std::vector<litehtml::element*> Pictures;
  };
  // Whether the inline content of `el` holds pictures only.
  static bool OnlyPictures(litehtml::element& el, TScan& scan);
};

}  // namespace shelf
