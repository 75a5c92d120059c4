#include "skin/render/sSliceStretch.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

#include "skin/render/sBlend.h"
#include "skin/render/sResample.h"
#include "skin/render/sSliceCopy.h"

namespace {

using img::TRGBAPixel;

bool InsideBitmap(TRect r, const img::Bitmap32& b) {
  return r.Left >= 0 && r.Top >= 0 && r.Left < r.Right && r.Top < r.Bottom &&
         r.Right <= b.Width() && r.Bottom <= b.Height();
}

// The source pixel under the centre of destination pixel i, n destination pixels spanning m
// source pixels. Both counts are below 2^31, so the product fits.
int NearestIndex(int64_t i, int64_t n, int64_t m) {
  return int((2 * i + 1) * m / (2 * n));
}

// Mixes one image pixel s with its mask k into the target pixel d.
template <bool Alpha>
inline void MixPixel(TRGBAPixel& d, TRGBAPixel s, TRGBAPixel k) {
  if (!Alpha) {
    MixMaskedOpaque(d, s, k);
    d.A = 255;
    return;
  }
  const int g = k.R;
  if (g == 0) {
    d = {s.B, s.G, s.R, 255};
  } else if (g != 255) {
    const int h = std::min<int>(g, d.A);
    d.B = uint8_t((h * d.B + s.B * (255 - h)) >> 8);
    d.G = uint8_t((h * d.G + s.G * (255 - h)) >> 8);
    d.R = uint8_t((h * d.R + s.R * (255 - h)) >> 8);
    d.A = uint8_t(std::max<int>(d.A, 255 - g));
  }
}

// The 1 x 1 centre: one colour s with the red byte r of its mask over the whole destination. On
// opaque targets the blend keeps the target's alpha.
template <bool Alpha>
void MixOneColor(img::Bitmap32& target, TRect dest, TRGBAPixel s, int r) {
  if (r == 255) return;
  const TRGBAPixel k{uint8_t(r), uint8_t(r), uint8_t(r), 0};
  const TRect t = ClipToBitmap(dest, target);
  for (int y = t.Top; y < t.Bottom; ++y) {
    TRGBAPixel* d = target.Row(y);
    for (int x = t.Left; x < t.Right; ++x) {
      const uint8_t alpha = d[x].A;
      MixPixel<Alpha>(d[x], s, k);
      if (!Alpha && r != 0) d[x].A = alpha;
    }
  }
}

// For every column of the visible part t of dest, the source column under it.
std::vector<int> NearestColumns(TRect t, TRect dest, TRect src) {
  const int64_t dw = int64_t(dest.Right) - dest.Left;
  std::vector<int> columns(size_t(t.Width()));
  for (int x = t.Left; x < t.Right; ++x)
    columns[size_t(x - t.Left)] = src.Left + NearestIndex(int64_t(x) - dest.Left, dw, src.Width());
  return columns;
}

// The source row under target row y.
int NearestRow(int y, TRect dest, TRect src) {
  return src.Top +
         NearestIndex(int64_t(y) - dest.Top, int64_t(dest.Bottom) - dest.Top, src.Height());
}

// The filters make a whole scaled copy of image and mask; beyond this many pixels (a destination
// far larger than any screen) nothing is painted.
constexpr int64_t kMaxFilteredPixels = int64_t(1) << 26;

template <bool Alpha>
void StretchMasked(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
                   int maskOffset, bool centre) {
  const int64_t w = int64_t(dest.Right) - dest.Left, h = int64_t(dest.Bottom) - dest.Top;
  if (dest.Left < 0 || dest.Top < 0 || w <= 0 || h <= 0) return;
  if (target.Width() <= 1 || target.Height() <= 1) return;
  if (maskOffset == 0) {
    StretchBlock(target, dest, source, src);
    return;
  }
  const int64_t maskTop = int64_t(src.Top) + maskOffset;
  const int64_t maskBottom = int64_t(src.Bottom) + maskOffset;
  if (!InsideBitmap(src, source) || maskTop < 0 || maskBottom > source.Height()) return;
  const TRect mask{src.Left, int(maskTop), src.Right, int(maskBottom)};
  const int sw = src.Width(), sh = src.Height();
  if (centre && sw == 1 && sh == 1) {
    MixOneColor<Alpha>(target, dest, source.Pixel(src.Left, src.Top),
                       source.Pixel(mask.Left, mask.Top).R);
    return;
  }
  const TRect t = ClipToBitmap(dest, target);
  if (t.Width() <= 0) return;
  const bool filtered = ((w < sw && h == sh) || (w == sw && h < sh) || centre) && w > 1 && h > 1;
  if (!filtered) {
    const std::vector<int> columns = NearestColumns(t, dest, src);
    for (int y = t.Top; y < t.Bottom; ++y) {
      const int sy = NearestRow(y, dest, src);
      const TRGBAPixel* s = source.Row(sy);
      const TRGBAPixel* k = source.Row(sy + maskOffset);
      TRGBAPixel* d = target.Row(y) + t.Left;
      for (size_t i = 0; i < columns.size(); ++i)
        MixPixel<Alpha>(d[i], s[columns[i]], k[columns[i]]);
    }
    return;
  }
  if (w * h > kMaxFilteredPixels) return;
  try {
    img::Pixels32 image, weights;
    ResampleBitmap(WidenedBlock(source, src), image, int(w), rfMitchell, int(h));
    ResampleBitmap(WidenedBlock(source, mask), weights, int(w), Alpha ? rfHermite : rfMitchell,
                   int(h));
    const int left = t.Left - dest.Left;
    for (int y = t.Top; y < t.Bottom; ++y) {
      const TRGBAPixel* s = image.Row(y - dest.Top) + left;
      const TRGBAPixel* k = weights.Row(y - dest.Top) + left;
      TRGBAPixel* d = target.Row(y) + t.Left;
      for (int i = 0; i < t.Width(); ++i) MixPixel<Alpha>(d[i], s[i], k[i]);
    }
  } catch (const std::exception&) {
    // Out of memory for the scaled copies: nothing is painted.
  }
}

}  // namespace

img::Pixels32 WidenedBlock(const img::PixelRows32& source, TRect block) {
  const int w = block.Width(), h = block.Height();
  img::Pixels32 piece(std::max(w, 2), std::max(h, 2));
  for (int y = 0; y < piece.Height(); ++y) {
    const TRGBAPixel* s = source.Row(block.Top + std::min(y, h - 1)) + block.Left;
    TRGBAPixel* d = piece.Row(y);
    std::memcpy(d, s, size_t(w) * sizeof(TRGBAPixel));
    if (w == 1) d[1] = s[0];
  }
  return piece;
}

void StretchBlock(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src) {
  if (dest.Left >= dest.Right || dest.Top >= dest.Bottom || !InsideBitmap(src, source)) return;
  const TRect t = ClipToBitmap(dest, target);
  if (t.Width() <= 0) return;
  const std::vector<int> columns = NearestColumns(t, dest, src);
  for (int y = t.Top; y < t.Bottom; ++y) {
    const TRGBAPixel* s = source.Row(NearestRow(y, dest, src));
    TRGBAPixel* d = target.Row(y) + t.Left;
    for (size_t i = 0; i < columns.size(); ++i) d[i] = s[columns[i]];
  }
}

void StretchMaskedOpaque(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
                         int maskOffset, bool centre) {
  StretchMasked<false>(target, dest, source, src, maskOffset, centre);
}

void StretchMaskedAlpha(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
                        int maskOffset, bool centre) {
  StretchMasked<true>(target, dest, source, src, maskOffset, centre);
}
