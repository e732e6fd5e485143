// A frameset as a page describes it: the row and column sizes and, in order, its frames or
// nested framesets.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace shelf {

struct TFrameSetLayout {
  struct TFrame {
    std::string Name;                         // Windows-1251, as written
    std::string Source;                       // full DOS file name, empty when the frame names none
    std::shared_ptr<TFrameSetLayout> Nested;  // set instead of a source for a nested frameset
    bool Scrolling = true;                    // false for scrolling="no"
  };
  std::string Rows, Cols;  // the attributes as written ("20%,*,100")
  bool Border = true;
  std::vector<TFrame> Frames;
};

// Sizes in pixels of the parts of `total` that a rows or cols list asks for: fixed pixels first,
// then percentages, then '*' parts share what is left by their weights. The sizes add up to
// `total`. An empty list is one part.
std::vector<int> FrameSizes(std::string_view list, int total);

}  // namespace shelf
