#include "html/picture_lines.h"

#include <cstring>
#include <vector>

namespace shelf {

namespace {

// Pictures and inline frames: boxes with no text of their own.
bool IsPicture(const litehtml::element& el) {
  const char* tag = el.get_tagName();
  return tag && (std::strcmp(tag, "img") == 0 || std::strcmp(tag, "iframe") == 0);
}

}  // namespace

bool TPictureLines::OnlyPictures(litehtml::element& el, TScan& scan) {
  for (std::size_t k = 0; k < el.get_children_count(); ++k) {
    litehtml::element& child = *el.get_child(int(k));
    if (child.is_comment() || child.get_display() == litehtml::display_none ||
        child.get_float() != litehtml::float_none)
      continue;
    if (child.is_white_space()) {
      scan.SpaceAfterPicture = scan.LastPicture;
    } else if (IsPicture(child)) {
      // A space between two pictures is text on their line: the line keeps a text line's height.
      if (scan.SpaceAfterPicture) return false;
      scan.LastPicture = true;
      scan.Pictures.push_back(&child);
    } else if (child.is_break() || child.get_display() != litehtml::display_inline ||
               child.get_children_count() == 0 || !OnlyPictures(child, scan)) {
      return false;
    }
  }
  return true;
}

void TPictureLines::Run(litehtml::element& el) {
  const auto display = el.get_display();
  if (display == litehtml::display_none) return;
  if (display == litehtml::display_block || display == litehtml::display_table_cell) {
    TScan scan;
    if (OnlyPictures(el, scan) && !scan.Pictures.empty()) {
      // No line height of their own: the pictures sit on the line's bottom, and the line is as
      // high as the highest.
      el.add_style("line-height:0 !important", "");
      el.parse_styles(true);
      for (litehtml::element* picture : scan.Pictures) {
        if (picture->get_vertical_align() != litehtml::va_baseline) continue;
        picture->add_style("vertical-align:bottom !important", "");
        picture->parse_styles(true);
      }
      return;
    }
  }
  for (std::size_t k = 0; k < el.get_children_count(); ++k) Run(*el.get_child(int(k)));
}

}  // namespace shelf
