#include "skin/render/sColorTransforms.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "skin/render/sBlend.h"

namespace {

// Each pixel's three channels := their mean, rounded down; alpha kept.
void MakeGrey(img::TRGBAPixel& p) {
  const uint8_t grey = static_cast<uint8_t>((p.R + p.G + p.B) / 3);
  p = {grey, grey, grey, p.A};
}

}  // namespace

void GrayscaleBitmap(img::Bitmap32& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (img::TRGBAPixel& p : std::span(bitmap.Row(y), size_t(bitmap.Width()))) MakeGrey(p);
}

void GrayscaleNonKey(img::Bitmap32& bitmap, uint32_t key) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (img::TRGBAPixel& p : std::span(bitmap.Row(y), size_t(bitmap.Width())))
      if (PixelValue(p) != key) MakeGrey(p);
}

void PaintDisabled(img::Bitmap32& bitmap, int flags, TPoint point, const TsBgSource& bg,
                   int32_t parentColor) {
  if (flags & kDisabledGrey) GrayscaleBitmap(bitmap);
  if (!(flags & kDisabledFade)) return;
  if (bg.Valid && bg.Bitmap) {
    const int x = bg.OffsetX + point.X, y = bg.OffsetY + point.Y;
    BlendBitmapKeyed(bitmap, 0, 0, kKeyColor, 0.4,
                     {x, y, x + bitmap.Width() - 1, y + bitmap.Height() - 1}, *bg.Bitmap);
  } else {
    BlendRectWithColor(bitmap, {0, 0, bitmap.Width(), bitmap.Height()}, 50,
                       bg.BgColor != kKeyColor ? bg.BgColor : parentColor);
  }
}
