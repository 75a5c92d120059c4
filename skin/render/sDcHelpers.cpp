#include "skin/render/sDcHelpers.h"

#include <algorithm>

#include "skin/data/SkinSystem.h"
#include "skin/render/sBlend.h"
#include "skin/render/sSliceCopy.h"
#include "skin/render/sSliceStretch.h"
#include "skin/render/sSliceTile.h"

bool InsideTarget(const TRect& rect, const img::Bitmap32& target) {
  return rect.Width() > 0 && rect.Height() > 0 && rect.Left >= 0 && rect.Top >= 0 &&
         rect.Right <= target.Width() && rect.Bottom <= target.Height();
}

void FillRectSolid(img::Bitmap32& target, TRect rect, int32_t color) {
  FillRectAlpha(target, rect, skin::ColorToRGB(color), 255);
}

void FillFrameSolid(img::Bitmap32& target, TRect rect, int left, int top, int right, int bottom,
                    int32_t color) {
  FillFrameAlpha(target, rect, left, top, right, bottom, skin::ColorToRGB(color));
}

void CopyBlock(img::Bitmap32& target, int x, int y, int w, int h, const img::Bitmap32& source,
               int sx, int sy) {
  CopyBlock(target, x, y, source, {sx, sy, sx + w, sy + h});
}

void StretchBlock(img::Bitmap32& target, int x, int y, int w, int h, const img::Bitmap32& source,
                  int sx, int sy, int sw, int sh) {
  StretchBlock(target, {x, y, x + w, y + h}, source, {sx, sy, sx + sw, sy + sh});
}

void TileBlock(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, int sx, int sy,
               int tw, int th) {
  // The slice tiler lays the same tiles and copies them a row at a time.
  TileBlock(target, dest, source, {sx, sy, sx + tw, sy + th}, 0, TTileMix::Plain);
}

void CopyFrameBands(img::Bitmap32& target, int x, int y, int b, const img::Bitmap32& source, int sx,
                    int sy, int w, int h) {
  if (b <= 0 || w <= 0 || h <= 0) return;
  b = std::min({b, w, h});
  auto band = [&](int left, int top, int right, int bottom) {
    CopyBlock(target, x + left, y + top, right - left, bottom - top, source, sx + left, sy + top);
  };
  band(0, 0, b, h);
  band(b, 0, w, b);
  band(w - b, b, w, h);
  band(b, h - b, w - b, h);
}
