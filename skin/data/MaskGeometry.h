// The state frames of an image entry: StateCount frames side by side, and MaskRows deciding how
// much of the height is picture (the rest is its mask).
#pragma once

#include "skin/data/sSkinData.h"

// 0 without frames, the whole width for one frame, else the width divided among the frames.
inline int FrameWidth(const TsMaskData& e) {
  int width = e.SrcRect.Width();
  if (e.StateCount == 0) return 0;
  return e.StateCount == 1 ? width : width / e.StateCount;
}

// 0 without picture (MaskRows -1), the whole height for a picture only, half for a picture over
// its mask, else one of MaskRows + 1 bands.
inline int FrameHeight(const TsMaskData& e) {
  int height = e.SrcRect.Height();
  switch (e.MaskRows) {
    case -1:
      return 0;
    case 0:
      return height;
    case 1:
      return height / 2 + (height < 0 ? height % 2 : 0);
    default:
      return height / (e.MaskRows + 1);
  }
}
