// Which installed font family a page's font name stands for: the family itself, one drawn with
// the same metrics, or the family behind a generic name; the answers are kept.
#pragma once

#include <QString>
#include <string>

namespace shelf {

// Empty when nothing of the kind is installed, so the next name of a page's list is tried.
QString InstalledFontFamily(const std::string& name);

}  // namespace shelf
