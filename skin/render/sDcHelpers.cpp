#include "skin/render/sDcHelpers.h"

#include <algorithm>
#include <cstring>

#include "skin/data/SkinSystem.h"
#include "skin/render/sBlend.h"

void FillRectSolid(img::Bitmap32& target, TRect rect, int32_t color) {
  FillRectAlpha(target, rect, skin::ColorToRGB(color), 255);
}

void FillFrameSolid(img::Bitmap32& target, TRect rect, int left, int top, int right, int bottom,
                    int32_t color) {
  FillFrameAlpha(target, rect, left, top, right, bottom, skin::ColorToRGB(color));
}

void CopyBlock(img::Bitmap32& target, int x, int y, int w, int h, const img::Bitmap32& source,
               int sx, int sy) {
  // Cut what lies left of or above either bitmap, then what runs past their right or bottom.
  const int cutX = std::max({0, -x, -sx});
  const int cutY = std::max({0, -y, -sy});
  x += cutX, sx += cutX, w -= cutX;
  y += cutY, sy += cutY, h -= cutY;
  w = std::min({w, target.Width() - x, source.Width() - sx});
  h = std::min({h, target.Height() - y, source.Height() - sy});
  if (w <= 0 || h <= 0) return;
  // Within one bitmap a block moved downwards is copied bottom-up so no row is read after it
  // was overwritten.
  const bool bottomUp = &target == &source && y > sy;
  for (int i = 0; i < h; ++i) {
    const int j = bottomUp ? h - 1 - i : i;
    std::memmove(target.Row(y + j) + x, source.Row(sy + j) + sx, size_t(w) * 4);
  }
}

void StretchBlock(img::Bitmap32& target, int x, int y, int w, int h, const img::Bitmap32& source,
                  int sx, int sy, int sw, int sh) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  const TRect t = ClipToBitmap({x, y, x + w, y + h}, target);
  for (int ty = t.Top; ty < t.Bottom; ++ty) {
    // The source row and column whose span holds the centre of the target pixel.
    const int srcY = sy + int((int64_t(ty - y) * 2 + 1) * sh / (int64_t(h) * 2));
    if (srcY < 0 || srcY >= source.Height()) continue;
    const img::TRGBAPixel* in = source.Row(srcY);
    img::TRGBAPixel* out = target.Row(ty);
    for (int tx = t.Left; tx < t.Right; ++tx) {
      const int srcX = sx + int((int64_t(tx - x) * 2 + 1) * sw / (int64_t(w) * 2));
      if (srcX >= 0 && srcX < source.Width()) out[tx] = in[srcX];
    }
  }
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
