// The records the interface description hands to the parts that show its elements: buttons,
// switches, page areas, find and path boxes, clips, texts, pictures, trees, splitters, popups.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/dynamic_arrays.h"

namespace shelf {

// Caption style bits.
inline constexpr std::uint8_t kStyleBold = 1;
inline constexpr std::uint8_t kStyleItalic = 2;
inline constexpr std::uint8_t kStyleUnderline = 4;
inline constexpr std::uint8_t kStyleStrikeOut = 8;

// The style bits of a style word as written ("bold italic"); the words match as written, so
// "Bold" is not bold.
inline std::uint8_t StyleFromWords(std::string_view words) {
  std::uint8_t style = 0;
  if (words.find("bold") != std::string_view::npos) style |= kStyleBold;
  if (words.find("italic") != std::string_view::npos) style |= kStyleItalic;
  if (words.find("underline") != std::string_view::npos) style |= kStyleUnderline;
  if (words.find("strikeout") != std::string_view::npos) style |= kStyleStrikeOut;
  return style;
}

// Edges are window coordinates ("vw"/"vh" are the right and bottom edges, not sizes); colours
// are red + green * 256 + blue * 65536; strings are Windows-1251.

struct RBtn {
  std::int32_t Left = 0, Top = 0;
  std::int32_t Right = 0, Bottom = 0;  // from the normal picture once it is loaded
  std::string Caption;
  std::int32_t CaptionLeft = 0, CaptionTop = 0, CaptionRight = 0, CaptionBottom = 0;
  std::string FontName;
  std::int32_t FontSize = 0;
  std::uint8_t StyleUp = 0, StyleMove = 0, StyleDown = 0;
  std::int32_t ColorUp = 0, ColorMove = 0, ColorDown = 0;
  std::string Align;  // drawn dialog only
  std::string PictureUp, PictureMove, PictureDown;
  std::string Command;
  std::string Hint;
  std::string Sound;  // or "no"

  bool operator==(const RBtn&) const = default;
};

// An on/off switch. Pictures, captions, styles and colours come in the order off, off with the
// pointer over it, on with the pointer over it, on.
struct RSwthOne {
  std::int32_t Left = 0, Top = 0;
  std::int32_t Right = 0, Bottom = 0;  // from the first picture
  std::string PictureUp, PictureMoveUp, PictureMoveDown, PictureDown;
  std::uint8_t Store = 0;   // the state is kept between runs
  std::string CommandUp;    // run when the switch turns off
  std::string CommandDown;  // run when it turns on
  std::string Hint;
  std::string Sound;
  std::uint8_t Hover = 0;
  std::uint8_t State = 0;  // 1: on
  std::string CaptionUp, CaptionDown;
  std::int32_t CaptionLeftUp = 0, CaptionTopUp = 0, CaptionRightUp = 0, CaptionBottomUp = 0;
  std::int32_t CaptionLeftDown = 0, CaptionTopDown = 0, CaptionRightDown = 0, CaptionBottomDown = 0;
  std::string FontName;
  std::int32_t FontSize = 0;
  std::uint8_t StyleUp = 0, StyleMoveUp = 0, StyleMoveDown = 0, StyleDown = 0;
  std::int32_t ColorUp = 0, ColorMoveUp = 0, ColorMoveDown = 0, ColorDown = 0;

  bool operator==(const RSwthOne&) const = default;
};

// A group switch: switches of one screen with the same `Group` exclude each other.
struct RSwthGrp {
  std::int32_t Left = 0, Top = 0;
  std::int32_t Right = 0, Bottom = 0;
  std::string PictureUp, PictureMoveUp, PictureMoveDown, PictureDown;
  std::uint8_t Store = 0;
  std::int32_t Group = 0;
  std::string Command;
  std::string Hint;
  std::string Sound;
  std::uint8_t Hover = 0;
  std::uint8_t State = 0;
  std::string CaptionUp, CaptionDown;
  std::int32_t CaptionLeft = 0, CaptionTop = 0, CaptionRight = 0, CaptionBottom = 0;
  std::string FontName;
  std::int32_t FontSize = 0;
  std::uint8_t StyleUp = 0, StyleMoveUp = 0, StyleMoveDown = 0, StyleDown = 0;
  std::int32_t ColorUp = 0, ColorMoveUp = 0, ColorMoveDown = 0, ColorDown = 0;

  bool operator==(const RSwthGrp&) const = default;
};

// In the records below `Screen` is the 0-based screen index of the element's section.

struct RHTML {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::string StartPage;  // full path
  std::int32_t Number = 0;
  std::int32_t Screen = 0;

  bool operator==(const RHTML&) const = default;
};

struct RFindTxt {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::string Frame;
  TDynamicStringArray NoFiles;
  std::int32_t Number = 0;
  std::int32_t Screen = 0;
  std::string Hint;

  bool operator==(const RFindTxt&) const = default;
};

struct RPathInput {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::string DefaultPath;
  std::int32_t Screen = 0;
  std::string Hint;

  bool operator==(const RPathInput&) const = default;
};

struct RClip {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::int32_t Color = 0;
  std::int32_t Area = 0;  // number of the page area that goes with the clip
  std::int32_t Screen = 0;

  bool operator==(const RClip&) const = default;
};

struct RText {
  std::int32_t Left = 0, Top = 0, Right = 0;
  std::string FontName;
  std::int32_t FontSize = 0;
  std::string Style;  // the style words as written
  std::int32_t Color = 0;
  std::string Value;
  std::int32_t Number = 0;
  std::int32_t Screen = 0;
  std::string Ident;

  bool operator==(const RText&) const = default;
};

struct RImage {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::string Folder;  // full path ending in '\'
  std::int32_t Screen = 0;

  bool operator==(const RImage&) const = default;
};

struct RTree {
  std::int32_t Width = 0, Height = 0;
  std::int32_t SelectColor = 0, SelectTextColor = 0;
  std::string ContentsFile;
  std::int32_t Screen = 0;

  bool operator==(const RTree&) const = default;
};

struct RSplitter {
  std::int32_t Color = 0;
  std::int32_t Screen = 0;

  bool operator==(const RSplitter&) const = default;
};

// Popup kinds that are not a popup number.
inline constexpr std::int32_t kPopupHistoryBack = -1;
inline constexpr std::int32_t kPopupHistoryForward = -2;
inline constexpr std::int32_t kPopupFavorite = -3;
inline constexpr std::int32_t kPopupContextHtml = -5;

struct RPopupData {
  std::int32_t BackLeft = 0, BackTop = 0;
  std::string BackPicture;
  std::int32_t ButtonLeft = 0, ButtonTop = 0;
  TDynamicStringArray ButtonPicturesUp, ButtonPicturesMove, ButtonPicturesDown;
  std::string FontUp, FontMove;
  std::int32_t SizeUp = 0, SizeMove = 0;
  std::string StyleUp, StyleMove;  // style words as written
  std::int32_t ColorUp = 0, ColorMove = 0;
  TDynamicStringArray Captions;
  TDynamicStringArray Commands;
  std::string Parent;
  std::int32_t Kind = 0;         // a popup number or one of the kPopup kinds
  TDynamicStringArray Vertices;  // "x,y"

  bool operator==(const RPopupData&) const = default;
};

using TDynamicBtnArray = std::vector<RBtn>;
using TDynamicSwthOneArray = std::vector<RSwthOne>;
using TDynamicSwthGrpArray = std::vector<RSwthGrp>;
using TDynamicHTMLArray = std::vector<RHTML>;
using TDynamicFindTxtArray = std::vector<RFindTxt>;
using TDynamicPathInputArray = std::vector<RPathInput>;
using TDynamicClipArray = std::vector<RClip>;
using TDynamicTextArray = std::vector<RText>;
using TDynamicImageArray = std::vector<RImage>;
using TDynamicTreeArray = std::vector<RTree>;
using TDynamicSplitterArray = std::vector<RSplitter>;
using TDynamicPopupArray = std::vector<RPopupData>;

// What one screen shows of the kinds kept per screen.
struct RScreen {
  TDynamicBtnArray Buttons;
  TDynamicSwthOneArray SwitchesOne;
  TDynamicSwthGrpArray SwitchesGrp;
  TDynamicPopupArray Popups;
  std::string Background;  // picture file, relative to the program folder

  bool operator==(const RScreen&) const = default;
};

}  // namespace shelf
