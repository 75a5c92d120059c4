#include "skin/render/sWindowRegion.h"

namespace {

void Combine(HRGN region, const std::vector<TRect>& rects, int mode) {
  for (const TRect& r : rects) {
    HRGN part = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(region, region, part, mode);
    DeleteObject(part);
  }
}

}  // namespace

HRGN RectRegionWithout(const TRect& whole, const std::vector<TRect>& holes) {
  HRGN region = CreateRectRgn(whole.Left, whole.Top, whole.Right, whole.Bottom);
  Combine(region, holes, RGN_DIFF);
  return region;
}

HRGN RegionOfRects(const std::vector<TRect>& rects) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  Combine(region, rects, RGN_OR);
  return region;
}

bool ApplyWindowRegion(HWND window, HRGN region, bool redraw) {
  if (SetWindowRgn(window, region, redraw)) return true;
  if (region) DeleteObject(region);
  return false;
}
