// Links as pages write them, turned into the DOS file names of book files: a URL is taken
// against the folder of the page that holds it, its "#fragment" kept apart.
#pragma once

#include <string>
#include <string_view>

namespace shelf {

// The scheme of a URL in lower case ("http", "file", "mailto"...), empty when there is none.
// A drive letter ("d:\x.htm") is no scheme.
std::string UrlScheme(std::string_view url);

// The part before '#' and the fragment after it (without '#').
std::string_view UrlWithoutFragment(std::string_view url);
std::string_view UrlFragment(std::string_view url);

// `url` (Windows-1251) as a full DOS file name against the folder of `currentFile`: "file:"
// prefixes dropped, %XX escapes decoded, '/' made '\', "..\" folded. A URL without a file part
// ("#top") names `currentFile` itself. The fragment, when there is one, stays at the end.
// URLs of other schemes come back unchanged.
std::string ExpandBookUrl(std::string_view url, std::string_view currentFile);

// Whether two DOS file names name the same file: case does not count, nor does a "#fragment".
bool SameBookFile(std::string_view a, std::string_view b);

// The folder of a DOS file name, ending in '\'.
std::string DosFolderOf(std::string_view file);

}  // namespace shelf
