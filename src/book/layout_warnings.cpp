#include "book/layout_warnings.h"

#include <algorithm>
#include <string>

namespace shelf {
namespace {

// Edges are coordinates ("vw" and "vh" are the right and bottom edges); two elements overlap
// when some point lies strictly inside both.
bool Overlap(std::int32_t left1, std::int32_t top1, std::int32_t right1, std::int32_t bottom1,
             std::int32_t left2, std::int32_t top2, std::int32_t right2, std::int32_t bottom2) {
  return std::max(left1, left2) < std::min(right1, right2) &&
         std::max(top1, top2) < std::min(bottom1, bottom2);
}

std::string Rect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  return std::to_string(left) + "," + std::to_string(top) + " - " + std::to_string(right) + "," +
         std::to_string(bottom);
}

}  // namespace

std::vector<RDescriptionProblem> LayoutWarnings(const TInterfaceDescription& description) {
  std::vector<RDescriptionProblem> warnings;
  for (std::size_t i = 0; i < description.Clips.size(); ++i) {
    const RClip& clip = description.Clips[i];
    for (const RHTML& page : description.PageAreas) {
      if (page.Screen != clip.Screen || !Overlap(clip.Left, clip.Top, clip.Right, clip.Bottom,
                                                 page.Left, page.Top, page.Right, page.Bottom))
        continue;
      const std::size_t line = i < description.ClipLines.size() ? description.ClipLines[i] : 0;
      warnings.push_back({"Struct.txt", line,
                          "warning: the clip window " +
                              Rect(clip.Left, clip.Top, clip.Right, clip.Bottom) +
                              " covers part of page area " + std::to_string(page.Number) + " (" +
                              Rect(page.Left, page.Top, page.Right, page.Bottom) +
                              ") on every page of its screen; give it a place of its own"});
    }
  }
  return warnings;
}

}  // namespace shelf
