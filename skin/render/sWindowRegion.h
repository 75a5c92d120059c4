// Window shapes: the platform's regions made from the engine's rectangles, and handing one to a
// window.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/data/sSkinData.h"

inline RECT ToRect(const TRect& r) {
  return {r.Left, r.Top, r.Right, r.Bottom};
}

// The rectangle without the holes (the caller owns the region).
HRGN RectRegionWithout(const TRect& whole, const std::vector<TRect>& holes);
// The union of the rectangles (the caller owns the region).
HRGN RegionOfRects(const std::vector<TRect>& rects);
// Gives the window its shape (null: none). The window owns a region once it took it; one it
// refused is deleted here. Returns whether the window took it.
bool ApplyWindowRegion(HWND window, HRGN region, bool redraw);
