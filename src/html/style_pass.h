// Completes a parsed page's computed style where the layout engine falls short of browsers
// (private to the page engine), before its layout: font size keywords (`small`, `smaller`...),
// the smaller size browsers give text in the bare `monospace` family, sizes with a fraction of a
// pixel, and letter spacing, word spacing and text shadows, which travel to the fonts
// (TextEffects); full-width tables clear the floats they cannot stand beside.
#pragma once

#include <litehtml/litehtml.h>

#include <string>
#include <string_view>

namespace shelf {

// Spacing and shadow of text, and the exact size of a font whose size has a fraction of a pixel
// (11pt is 14.67 pixels; the layout engine keeps whole pixels), as a font carries them.
struct TTextEffects {
  int LetterSpacing = 0;
  int WordSpacing = 0;
  bool Shadow = false;
  int ShadowX = 0, ShadowY = 0, ShadowBlur = 0;
  litehtml::web_color ShadowColor;
  int SizeHundredths = 0;  // 0: the whole pixels the engine asks for

  bool Any() const { return LetterSpacing != 0 || WordSpacing != 0 || Shadow || SizeHundredths; }
  bool operator==(const TTextEffects& other) const { return FamilyTag() == other.FamilyTag(); }
  // The effects as the first name of a font family list, and read back from one: the layout
  // engine hands fonts over by family list.
  std::string FamilyTag() const;
  // Reads and removes a leading tag from a family list; no effects when there is none.
  static TTextEffects TakeFamilyTag(std::string& families);
};

class TStylePass {
 public:
  // `mediumPixels` is the reader's default font size.
  explicit TStylePass(int mediumPixels) : medium_(mediumPixels) {}
  void Run(litehtml::element& root);

 private:
  // How an element's font size derives from a size keyword: the keyword (or -1 for a size in
  // absolute units) and the factor relative sizes put on it.
  struct TSizeOrigin {
    int Keyword = 3;
    double Factor = 1.0;
    bool Monospace = false;  // drawn in the bare generic family at the keyword's size
    double Exact = 0;        // the size in pixels with its fraction
  };
  void Visit(litehtml::element& el, const TSizeOrigin& parent, const TTextEffects& effects,
             bool reparse);

  int medium_;
};

}  // namespace shelf
