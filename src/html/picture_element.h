// <img> with border, hspace, vspace and align, drawn through the viewer's picture store
// (animated GIFs at their current frame; a plain frame when pictures are switched off)
// (private).
#pragma once

#include <litehtml/litehtml.h>

#include <litehtml/el_image.h>

#include <string>

namespace shelf {

class TPictureElement : public litehtml::el_image {
 public:
  using litehtml::el_image::el_image;
  void parse_attributes() override;
  void draw(litehtml::uint_ptr hdc, int x, int y, const litehtml::position* clip) override;

  // The full file name of the picture.
  std::string Source() const;
};

}  // namespace shelf
