// Turns the bytes of a page or style sheet into the UTF-8 text the layout engine reads: pages
// are Windows-1251 unless they declare another charset in a <meta> tag.
#pragma once

#include <string>
#include <string_view>

namespace shelf {

// The charset a page declares ("utf-8", "koi8-r"...), lower case; empty when none.
std::string DeclaredCharset(std::string_view bytes);

std::string DecodePageToUtf8(std::string_view bytes);

}  // namespace shelf
