// Spreads the words of justified lines to both edges (private to the page engine): the layout
// engine sets them ragged.
#pragma once

#include <litehtml/litehtml.h>

namespace shelf {

// Widens the spaces of every line of a block but its last and those ended by a line break.
void JustifyLines(litehtml::element& block, const litehtml::box::vector& boxes);

}  // namespace shelf
