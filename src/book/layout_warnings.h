// Layout mistakes a book's author easily makes and the program faithfully shows, found in a
// read description: for booklint, which prints them as warnings.
#pragma once

#include <vector>

#include "book/description_problem.h"
#include "book/interface_description.h"

namespace shelf {

// A clip window laid over a page area of its own screen: shown whenever the screen is, it
// covers part of every page there, with or without a film.
std::vector<RDescriptionProblem> LayoutWarnings(const TInterfaceDescription& description);

}  // namespace shelf
