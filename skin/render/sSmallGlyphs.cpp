#include "skin/render/sSmallGlyphs.h"

#include <algorithm>

#include "skin/render/sBgSource.h"
#include "skin/render/sBlend.h"
#include "skin/render/sColorTransforms.h"

namespace {

using img::TRGBAPixel;

// The colour (0x00BBGGRR) of a pixel, as the platform reads it back; 0 outside the bitmap.
int32_t PixelColor(const img::Bitmap32& bitmap, int x, int y) {
  if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height()) return 0;
  const TRGBAPixel p = bitmap.Pixel(x, y);
  return int32_t(p.B) << 16 | int32_t(p.G) << 8 | p.R;
}

// Copies the pixels of the inclusive frame whose colour differs from key to (x, y) onwards,
// clipped to both bitmaps; opaque makes the copies' alpha 255, else they keep their own.
void CopyKeyedFrame(img::Bitmap32& target, const img::Bitmap32& source, int x, int y, int32_t key,
                    TRect frame, bool opaque) {
  const TRGBAPixel k = ColorPixel(key, 0);
  const int left = std::max(frame.Left, 0), top = std::max(frame.Top, 0);
  const int right = std::min(frame.Right, source.Width() - 1);
  const int bottom = std::min(frame.Bottom, source.Height() - 1);
  for (int sy = top; sy <= bottom; ++sy) {
    const int ty = y + sy - frame.Top;
    if (ty < 0 || ty >= target.Height()) continue;
    const TRGBAPixel* s = source.Row(sy);
    TRGBAPixel* d = target.Row(ty);
    for (int sx = left; sx <= right; ++sx) {
      const int tx = x + sx - frame.Left;
      const TRGBAPixel p = s[sx];
      if (tx < 0 || tx >= target.Width() || (p.B == k.B && p.G == k.G && p.R == k.R)) continue;
      d[tx] = {p.B, p.G, p.R, opaque ? uint8_t(255) : p.A};
    }
  }
}

// The image of a glyph strip that a button state shows; -1 for none.
int GlyphFrame(int state, int pressed, bool enabled, int count, bool fourBit) {
  if (!enabled || state == 0) return 0;
  switch (state) {
    case 1:
      return fourBit ? 0 : 1;
    case 2: {
      const int frame = pressed + 2;
      if (frame >= 0 && frame < count) return frame;
      return fourBit ? 0 : std::min(1, count - 1);
    }
    case 3:
      // The held-down image is the fourth; a strip of three has none.
      return count > 3 ? 3 : 0;
    default:
      return -1;
  }
}

void PaintSingleGlyph(const img::Bitmap32& glyph, img::Bitmap32& target, TRect rect,
                      int blendPercent, int state, int effects, bool enabled) {
  const TRect whole{0, 0, rect.Width() - 1, rect.Height() - 1};
  const int bottom = glyph.Height() - 1;
  if (enabled) {
    if (state != 0 || blendPercent < 1)
      CopyTransparent(target, glyph, rect.Left, PixelColor(glyph, 0, bottom), rect.Top);
    else
      BlendBitmapKeyed(target, rect.Left, rect.Top, kKeyColor, blendPercent / 100.0, whole, glyph);
    return;
  }
  img::Bitmap32 grey;
  if (effects & kGlyphGrey) {
    grey = glyph;
    GrayscaleBitmap(grey);
  }
  const img::Bitmap32& shown = grey.Empty() ? glyph : grey;
  // The key is read back after the greying, so the grey key pixels are still left out.
  const int32_t key = PixelColor(shown, 0, bottom);
  if (effects & kGlyphFadeHalf)
    BlendBitmapKeyed(target, rect.Left, rect.Top, key, 0.5, whole, shown);
  else
    CopyTransparent(target, shown, rect.Left, key, rect.Top);
}

}  // namespace

void PaintSmallArrow(img::Bitmap32& target, int32_t color, TRect rect, int direction) {
  const uint32_t p = PixelValue(ColorPixel(color, 255));
  if (direction == adDown) {
    const int x0 = rect.Left + (rect.Width() - 6) / 2 - 1;
    const int y0 = rect.Top + (rect.Height() - 3) / 2 - 1;
    for (int k = 0; k < 4; ++k)
      for (int x = x0 + k; x <= x0 + 7 - k; ++x) SetPixel32(target, x, y0 + k, p);
  } else if (direction == adRight) {
    const int x0 = rect.Left + (rect.Width() - 3) / 2;
    const int y0 = rect.Top + (rect.Height() - 6) / 2;
    for (int k = 0; k < 4; ++k)
      for (int y = y0 + k; y <= y0 + 6 - k; ++y) SetPixel32(target, x0 + k, y, p);
  }
}

void CopyTransparent(img::Bitmap32& target, const img::Bitmap32& source, int x, int32_t key,
                     int y) {
  CopyKeyedFrame(target, source, x, y, key, {0, 0, source.Width() - 1, source.Height() - 1}, true);
}

void CopyTransparentRect(img::Bitmap32& target, const img::Bitmap32& source, int x, int32_t key,
                         TRect frame, int y) {
  CopyKeyedFrame(target, source, x, y, key, frame, false);
}

void PaintButtonGlyph(const img::Bitmap32& glyph, img::Bitmap32& target, TRect rect, int pressed,
                      int blendPercent, int state, int effects, bool enabled, int glyphCount,
                      bool fourBit) {
  if (glyph.Empty() || glyphCount < 1) return;
  if (glyphCount == 1) {
    PaintSingleGlyph(glyph, target, rect, blendPercent, state, effects, enabled);
    return;
  }
  const int e = GlyphFrame(state, pressed, enabled, glyphCount, fourBit);
  if (e < 0) return;
  const int fw = glyph.Width() / glyphCount;
  const TRect frame{e * fw, 0, (e + 1) * fw - 1, glyph.Height() - 1};
  if (!enabled && state == 0 && blendPercent > 0) {
    BlendBitmapKeyed(target, rect.Left, rect.Top, kKeyColor, blendPercent / 100.0, frame, glyph);
    return;
  }
  const int32_t key = PixelColor(glyph, enabled ? frame.Left : 0, glyph.Height() - 1);
  CopyTransparentRect(target, glyph, rect.Left, key, frame, rect.Top);
}
