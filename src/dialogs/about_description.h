// The about box as About.txt describes it: its background picture and outline, the texts drawn
// onto it (some of them web or mail links) and the picture buttons that close it.
#pragma once

#include <QPoint>
#include <cstdint>
#include <string>
#include <vector>

#include "book/description_problem.h"
#include "book/element_records.h"
#include "store/book_folders.h"
#include "store/dynamic_arrays.h"

namespace shelf {

struct RAboutText {
  std::int32_t Left = 0, Top = 0;
  std::string FontName;
  std::int32_t FontSize = 0;
  std::string Style;  // lower-cased style words
  std::int32_t Color = 0;
  std::string Value;  // the text as written
  std::string Idenf;  // lower-cased; "url" makes the text a link
};

class TAboutDescription {
 public:
  // `lines` as written; keywords are matched in lower case. A section whose lines run out before
  // its last keyword is left out.
  void Read(const TDynamicStringArray& lines, const TBookFolders& folders);

  std::string Picture;          // background bitmap, relative to the program folder
  std::vector<QPoint> Outline;  // the window's shape; empty: a rectangle
  std::vector<RAboutText> Texts;
  // Left, Top, PictureUp (fn1), PictureMove (fn2), Hint and Sound (lower-cased) of each button.
  TDynamicBtnArray Buttons;
  std::vector<RDescriptionProblem> Problems;
};

// What a link text opens and the part of it that is drawn: a text with an at sign is a mail
// address; whatever follows the first '?' is opened but not shown.
struct TAboutLink {
  std::string Target;
  std::string Shown;
};
TAboutLink AboutLink(const std::string& text);

}  // namespace shelf
