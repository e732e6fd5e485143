// Files that are not pages but may be opened like one (a picture or a text file a link points
// to) become a small page that shows them, as a browser does.
#pragma once

#include <string>

namespace shelf {

// `bytes` of `dosFile` as a page: a picture (BMP, GIF, JPEG, PNG) is shown on its own, a ".txt"
// file as preformatted text; anything else is returned unchanged.
std::string PageForFile(const std::string& dosFile, std::string bytes);

}  // namespace shelf
