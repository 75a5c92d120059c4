// A set of pixels kept as non-overlapping rectangles: the shape of a window that leaves out the
// transparent parts of its border corners.
#pragma once

#include <vector>

#include "skin/data/sSkinData.h"

class TsRegion {
 public:
  TsRegion() = default;
  // The pixels of the rectangle (none for an empty one).
  explicit TsRegion(TRect rect);

  // Removes the pixels of the rectangle from the set.
  void Subtract(TRect rect);

  bool Contains(int x, int y) const;
  bool Empty() const { return rects_.empty(); }
  // How many pixels the set holds.
  long long Area() const;
  // The rectangles, pairwise disjoint, in no particular order.
  const std::vector<TRect>& Rects() const { return rects_; }

 private:
  std::vector<TRect> rects_;
};
