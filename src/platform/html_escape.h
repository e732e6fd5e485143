// Text made safe to paste into the pages the program writes itself: escaped for an element's
// text or a quoted attribute, or percent-encoded for a link's address.
#pragma once

#include <string>
#include <string_view>

namespace shelf {

// '<', '>', '&', '"' and '\'' as character references; every other byte as it is.
std::string HtmlEscaped(std::string_view text);
// Every byte but ASCII letters, digits, "-._~" and '/' as "%XX": the address names a file and
// nothing else (no scheme, no fragment, no query, no command word).
std::string UrlEscaped(std::string_view text);

}  // namespace shelf
