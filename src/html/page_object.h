// What lies under a point of a page: a picture, a link, a form control or plain text, with the
// texts a hint or the status line shows for it.
#pragma once

#include <QRect>
#include <string>

namespace shelf {

struct TPageObject {
  enum TKind { None, Text, Link, Picture, FormControl };
  TKind Kind = None;
  std::string Title;   // a picture's title, else its alt text (Windows-1251)
  std::string Source;  // a picture's full file name
  std::string Url;     // the enclosing link as written, empty outside links
  std::string Target;  // the enclosing link's frame target
  QRect Bounds;        // in document pixels

  bool IsPicture() const { return Kind == Picture; }
};

}  // namespace shelf
