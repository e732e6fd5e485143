#include "html/master_css.h"

#include <cstdint>
#include <cstdio>

#include "platform/cp1251.h"

namespace shelf {

namespace {

// Layout of the elements themselves; the parts that depend on the viewer follow in MasterCss.
// Vertical alignment is not inherited (the engine would pass a cell's `middle` on to the
// pictures inside it): every element starts on the baseline, rows and cells take their group's.
constexpr const char* kElementRules = R"css(
* { vertical-align: baseline; }
html, body, div, p, address, blockquote, center, dir, dl, dt, dd, fieldset, form, h1, h2, h3,
h4, h5, h6, menu, ol, ul, pre, listing, xmp, plaintext, hr { display: block; }
head, script, style, title, meta, link, base, basefont, frameset, frame, noframes, map, area,
option, optgroup, param, applet, object, embed, bgsound, input[type="hidden"] { display: none; }
li { display: list-item; }
table { display: table; border-spacing: 2px; border-collapse: separate; font-size: medium;
  font-weight: normal; font-style: normal; text-align: left; white-space: normal; }
thead { display: table-row-group; vertical-align: middle; }
tbody { display: table-row-group; vertical-align: middle; }
tfoot { display: table-row-group; vertical-align: middle; }
tr { display: table-row; vertical-align: inherit; }
col { display: table-column; }
colgroup { display: table-column-group; }
td, th { display: table-cell; vertical-align: inherit; padding: 1px; }
th { font-weight: bold; text-align: center; }
caption { display: table-caption; text-align: center; }
iframe { display: inline-block; width: 300px; height: 150px; border: 2px inset #c0c0c0; }
body { margin: 8px; }
p, dl, multicol { margin: 1em 0; }
blockquote { margin: 1em 40px; }
dd { margin-left: 40px; }
ul, ol, dir, menu { margin: 1em 0; padding-left: 40px; }
ul, dir, menu { list-style-type: disc; }
ol { list-style-type: decimal; }
ul ul, ol ul, ul dir, ul menu { list-style-type: circle; }
ul ul ul, ol ul ul, ol ol ul { list-style-type: square; }
dir dir, dir dl, dir menu, dir ol, dir ul, dl dir, dl dl, dl menu, dl ol, dl ul, menu dir,
menu dl, menu menu, menu ol, menu ul, ol dir, ol dl, ol menu, ol ol, ol ul, ul dir, ul dl,
ul menu, ul ol, ul ul { margin-top: 0; margin-bottom: 0; }
h1 { font-size: 2em; margin: 0.67em 0; font-weight: bold; }
h2 { font-size: 1.5em; margin: 0.83em 0; font-weight: bold; }
h3 { font-size: 1.17em; margin: 1em 0; font-weight: bold; }
h4 { font-size: 1em; margin: 1.33em 0; font-weight: bold; }
h5 { font-size: 0.83em; margin: 1.67em 0; font-weight: bold; }
h6 { font-size: 0.67em; margin: 2.33em 0; font-weight: bold; }
b, strong { font-weight: bold; }
i, em, cite, var, dfn, address { font-style: italic; }
pre, xmp, listing, plaintext { white-space: pre; margin: 1em 0; }
pre, xmp, listing, plaintext, tt, code, kbd, samp { font-family: monospace; }
big { font-size: 1.17em; }
small { font-size: 0.83em; }
sub { position: relative; top: 0.3em; font-size: 0.83em; }
sup { position: relative; top: -0.45em; font-size: 0.83em; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
center { text-align: center; }
nobr { white-space: nowrap; }
br { display: block; }
hr { margin: 0.5em auto; height: 2px; }
img { display: inline-block; border-width: 0; }
input, select, textarea, button { display: inline-block; }
)css";

}  // namespace

std::string CssColor(std::uint32_t windowsColor) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", windowsColor & 0xFF, (windowsColor >> 8) & 0xFF,
                (windowsColor >> 16) & 0xFF);
  return text;
}

int PointsToPixels(int points) {
  // Sizes come from pages and settings files: any int must convert without overflow.
  return int((std::int64_t{points} * 96 + 36) / 72);
}

std::string MasterCss(const TViewerSettings& settings) {
  std::string family = Cp1251ToUtf8(settings.DefFontName);
  std::erase(family, '"');
  const std::string decoration = settings.Has(fvNoLinkUnderline) ? "none" : "underline";
  std::string css = kElementRules;
  css += "html { color: " + CssColor(settings.DefFontColor) + "; font-family: \"" + family +
         "\"; font-size: " + std::to_string(PointsToPixels(settings.DefFontSize)) + "px; }\n";
  css += "a:link { color: " + CssColor(settings.DefHotSpotColor) +
         "; text-decoration: " + decoration + "; }\n";
  css += "a:visited { color: " + CssColor(settings.DefVisitedLinkColor) +
         "; text-decoration: " + decoration + "; }\n";
  return css;
}

}  // namespace shelf
