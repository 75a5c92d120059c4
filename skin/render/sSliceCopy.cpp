#include "skin/render/sSliceCopy.h"

#include <algorithm>
#include <cstring>

namespace {

using img::TRGBAPixel;

// Row y of bg.Bitmap behind target row ty, or null when there is none.
const TRGBAPixel* BackRow(const TsBgSource& bg, int ty) {
  if (bg.Bitmap == nullptr) return nullptr;
  const int64_t y = int64_t(ty) + bg.OffsetY;
  return y >= 0 && y < bg.Bitmap->Height() ? bg.Bitmap->Row(int(y)) : nullptr;
}

// The pixel of a background row behind target column tx, or null outside the bitmap.
const TRGBAPixel* BackPixel(const TsBgSource& bg, const TRGBAPixel* row, int tx) {
  if (row == nullptr) return nullptr;
  const int64_t x = int64_t(tx) + bg.OffsetX;
  return x >= 0 && x < bg.Bitmap->Width() ? row + x : nullptr;
}

bool HasColor(const TsBgSource& bg) {
  return bg.BgColor != kKeyColor;
}

// The background colour as a pixel: red and blue exchanged, the colour's top byte as alpha.
TRGBAPixel BgColorPixel(const TsBgSource& bg, uint8_t alpha) {
  const uint32_t c = uint32_t(bg.BgColor);
  return {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), alpha};
}

// Calls row(target row, source row, mask row, target y) for each row of a clipped masked block.
template <typename Row>
void ForEachMaskedRow(img::Bitmap32& target, const img::Bitmap32& source, const TSliceBlock& b,
                      int maskOffset, Row row) {
  const int maskY = MaskRow(b.SY, b.H, maskOffset, source);
  for (int j = 0; j < b.H; ++j)
    row(target.Row(b.TY + j) + b.TX, source.Row(b.SY + j) + b.SX, source.Row(maskY + j) + b.SX,
        b.TY + j);
}

}  // namespace

TSliceSpan ClipSliceSpan(int64_t t, int64_t s, int64_t n, int sourceSize, int targetSize) {
  const int64_t cut = std::max({int64_t(0), -s, -t});
  t += cut, s += cut, n -= cut;
  n = std::min({n, sourceSize - s, targetSize - t});
  return {t, s, n};
}

TSliceBlock ClipSliceBlock(const img::Bitmap32& target, int x, int y, const img::Bitmap32& source,
                           TRect src) {
  const TSliceSpan h =
      ClipSliceSpan(x, src.Left, int64_t(src.Right) - src.Left, source.Width(), target.Width());
  const TSliceSpan v =
      ClipSliceSpan(y, src.Top, int64_t(src.Bottom) - src.Top, source.Height(), target.Height());
  if (h.N <= 0 || v.N <= 0) return {};
  return {int(h.T), int(v.T), int(h.S), int(v.S), int(h.N), int(v.N)};
}

void CopyBlock(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src) {
  const TSliceBlock b = ClipSliceBlock(target, x, y, source, src);
  if (b.Empty()) return;
  for (int j = 0; j < b.H; ++j)
    std::memmove(target.Row(b.TY + j) + b.TX, source.Row(b.SY + j) + b.SX,
                 size_t(b.W) * sizeof(TRGBAPixel));
}

void CopyKeyed(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src,
               const TsBgSource& bg, bool fill) {
  const TSliceBlock b = ClipSliceBlock(target, x, y, source, src);
  if (b.Empty()) return;
  const bool fromBack = bg.Valid && bg.Bitmap != nullptr && fill;
  const bool intoBack = fromBack && bg.Bitmap == &target;
  const bool fromColor = !bg.Valid && HasColor(bg);
  const TRGBAPixel color = BgColorPixel(bg, 0);
  for (int j = 0; j < b.H; ++j) {
    TRGBAPixel* d = target.Row(b.TY + j) + b.TX;
    const TRGBAPixel* s = source.Row(b.SY + j) + b.SX;
    const TRGBAPixel* back = fromBack && !intoBack ? BackRow(bg, b.TY + j) : nullptr;
    for (int i = 0; i < b.W; ++i) {
      if (!IsKeyPixel(s[i])) {
        d[i] = s[i];
        if (intoBack) d[i].A = 255;
      } else if (back != nullptr) {
        if (const TRGBAPixel* p = BackPixel(bg, back, b.TX + i)) d[i] = *p;
      } else if (fromColor) {
        d[i] = color;
      }
    }
  }
}

void CopyMaskedOpaque(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src,
                      int maskOffset, const TsBgSource& bg, bool fill) {
  const TSliceBlock b = ClipSliceBlock(target, x, y, source, src);
  if (b.Empty()) return;
  const bool opaque = bg.Valid;
  const bool fromBack = bg.Valid && fill;
  const bool fromColor = !bg.Valid && fill && HasColor(bg);
  const bool skipKeys = !bg.Valid;  // with fill and no colour too: nothing to show there
  const TRGBAPixel color = BgColorPixel(bg, uint8_t(uint32_t(bg.BgColor) >> 24));
  ForEachMaskedRow(target, source, b, maskOffset,
                   [&](TRGBAPixel* d, const TRGBAPixel* s, const TRGBAPixel* k, int ty) {
                     const TRGBAPixel* back = fromBack ? BackRow(bg, ty) : nullptr;
                     for (int i = 0; i < b.W; ++i) {
                       if (IsKeyPixel(s[i])) {
                         if (fromBack) {
                           if (const TRGBAPixel* p = BackPixel(bg, back, b.TX + i))
                             d[i] = {p->B, p->G, p->R, 255};
                           continue;
                         }
                         if (fromColor) {
                           d[i] = color;
                           continue;
                         }
                         if (skipKeys) continue;
                       }
                       MixMaskedOpaque(d[i], s[i], k[i]);
                       if (opaque) d[i].A = 255;
                     }
                   });
}

void CopyMaskedAlpha(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src,
                     int maskOffset, const TsBgSource& bg) {
  const TSliceBlock b = ClipSliceBlock(target, x, y, source, src);
  if (b.Empty()) return;
  const bool fromBack = bg.Valid && bg.Bitmap != nullptr;
  ForEachMaskedRow(target, source, b, maskOffset,
                   [&](TRGBAPixel* d, const TRGBAPixel* s, const TRGBAPixel* k, int ty) {
                     const TRGBAPixel* back = fromBack ? BackRow(bg, ty) : nullptr;
                     for (int i = 0; i < b.W; ++i) {
                       if (IsKeyPixel(s[i])) {
                         if (!fromBack)
                           d[i].A = 0;
                         else if (const TRGBAPixel* p = BackPixel(bg, back, b.TX + i))
                           d[i] = *p;
                         continue;
                       }
                       MixMaskedAlpha(d[i], s[i], k[i]);
                     }
                   });
}

void CopyGlyphMasked(img::Bitmap32& target, int x, int y, const img::Bitmap32& source, TRect src,
                     int maskOffset, int mode) {
  if (maskOffset == 0) {
    CopyKeyed(target, x, y, source, src, kNoBackground, false);
    return;
  }
  const TSliceBlock b = ClipSliceBlock(target, x, y, source, src);
  if (b.Empty()) return;
  // Dimmed glyphs let more of the target through.
  const int lift = mode == 1 ? 0 : 100;
  ForEachMaskedRow(target, source, b, maskOffset,
                   [&](TRGBAPixel* d, const TRGBAPixel* s, const TRGBAPixel* k, int) {
                     for (int i = 0; i < b.W; ++i) {
                       const int r = k[i].R;
                       if (r == 255 || IsKeyPixel(s[i])) continue;
                       d[i].B = MaskMix(d[i].B, s[i].B, std::min(k[i].B + lift, 255));
                       d[i].G = MaskMix(d[i].G, s[i].G, std::min(k[i].G + lift, 255));
                       d[i].R = MaskMix(d[i].R, s[i].R, std::min(k[i].R + lift, 255));
                       d[i].A = uint8_t(d[i].A + (((255 - d[i].A) * (255 - r)) >> 8));
                     }
                   });
}
