// <img> with border, hspace, vspace and align, drawn through the viewer's picture store
// (animated GIFs at their current frame; a plain frame when pictures are switched off; the
// alt text in a frame when the picture cannot be read) (private).
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
  int render(int x, int y, int maxWidth, bool secondPass = false) override;

  // The full file name of the picture.
  std::string Source() const;

 private:
  // The alt text shown in place of a picture that cannot be read (empty when it can).
  std::string StandIn() const;
};

}  // namespace shelf
