// What the margin pass needs of a block in the normal flow (private to the page engine): its
// vertical margins in pixels and whether margins collapse through its top, its bottom or the
// whole of it. The layout engine collapses one level only; the pass does the rest before it.
#pragma once

namespace shelf {

class TFlowBlock {
 public:
  virtual ~TFlowBlock() = default;
  // Margins in pixels; negative for margins the pass leaves alone (percentages, auto).
  virtual int TopMargin() const = 0;
  virtual int BottomMargin() const = 0;
  virtual void SetTopMargin(int pixels) = 0;
  virtual void SetBottomMargin(int pixels) = 0;
  // No border or padding on that side, in the normal flow, not a formatting context of its own.
  virtual bool OpenAtTop() const = 0;
  virtual bool OpenAtBottom() const = 0;
  // Takes the block out of the layout (an empty block whose margins went to a neighbour).
  virtual void Drop() = 0;
};

}  // namespace shelf
