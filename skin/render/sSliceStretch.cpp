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

// The block copied into a bitmap of at least 2 x 2 pixels, its last column and row repeated: the
// filters need two pixels along each side.
img::Bitmap32 WidenedBlock(const img::Bitmap32& source, TRect block) {
  const int w = block.Width(), h = block.Height();
  img::Bitmap32 piece(std::max(w, 2), std::max(h, 2));
  for (int y = 0; y < piece.Height(); ++y) {
    const TRGBAPixel* s = source.Row(block.Top + std::min(y, h - 1)) + block.Left;
    TRGBAPixel* d = piece.Row(y);
    std::memcpy(d, s, size_t(w) * sizeof(TRGBAPixel));
    if (w == 1) d[1] = s[0];
  }
  return piece;
}

// The 1 x 1 centre: one colour S with the red byte r of its mask over the whole destination.
template <bool Alpha>
void MixOneColor(img::Bitmap32& target, TRect dest, TRGBAPixel s, int r) {
  if (r == 255) return;
  const TRect t = ClipToBitmap(dest, target);
  for (int y = t.Top; y < t.Bottom; ++y) {
    TRGBAPixel* d = target.Row(y);
    for (int x = t.Left; x < t.Right; ++x) {
      if (r == 0) {
        d[x] = {s.B, s.G, s.R, 255};
      } else if (Alpha) {
        const int g = std::min<int>(r, d[x].A);
        d[x].B = uint8_t((d[x].B * g + s.B * (255 - g)) >> 8);
        d[x].G = uint8_t((d[x].G * g + s.G * (255 - g)) >> 8);
        d[x].R = uint8_t((d[x].R * g + s.R * (255 - g)) >> 8);
        d[x].A = uint8_t(std::max<int>(d[x].A, 255 - r));
      } else {
        d[x].B = MaskMix(d[x].B, s.B, r);
        d[x].G = MaskMix(d[x].G, s.G, r);
        d[x].R = MaskMix(d[x].R, s.R, r);
      }
    }
  }
}

// Mixes the scaled image and mask (both the destination's size) into the target.
template <bool Alpha>
void MixScaled(img::Bitmap32& target, TRect dest, const img::Bitmap32& image,
               const img::Bitmap32& mask) {
  const int rows = std::min(image.Height(), target.Height() - dest.Top);
  const int cols = std::min(image.Width(), target.Width() - dest.Left);
  for (int j = 0; j < rows; ++j) {
    TRGBAPixel* d = target.Row(dest.Top + j) + dest.Left;
    const TRGBAPixel* s = image.Row(j);
    const TRGBAPixel* k = mask.Row(j);
    for (int i = 0; i < cols; ++i) {
      if (!Alpha) {
        d[i] = {MaskMix(d[i].B, s[i].B, k[i].B), MaskMix(d[i].G, s[i].G, k[i].G),
                MaskMix(d[i].R, s[i].R, k[i].R), 255};
        continue;
      }
      const int g = k[i].R;
      if (g == 0) {
        d[i] = {s[i].B, s[i].G, s[i].R, 255};
      } else if (g != 255) {
        const int h = std::min<int>(g, d[i].A);
        d[i].B = uint8_t((h * d[i].B + s[i].B * (255 - h)) >> 8);
        d[i].G = uint8_t((h * d[i].G + s[i].G * (255 - h)) >> 8);
        d[i].R = uint8_t((h * d[i].R + s[i].R * (255 - h)) >> 8);
        d[i].A = uint8_t(std::max<int>(d[i].A, 255 - g));
      }
    }
  }
}

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
  try {
    img::Bitmap32 image, weights;
    const bool filtered = ((w < sw && h == sh) || (w == sw && h < sh) || centre) && w > 1 && h > 1;
    if (filtered) {
      ResampleBitmap(WidenedBlock(source, src), image, int(w), rfMitchell, int(h));
      ResampleBitmap(WidenedBlock(source, mask), weights, int(w), Alpha ? rfHermite : rfMitchell,
                     int(h));
    } else {
      image.Resize(int(w), int(h));
      weights.Resize(int(w), int(h));
      StretchBlock(image, {0, 0, int(w), int(h)}, source, src);
      StretchBlock(weights, {0, 0, int(w), int(h)}, source, mask);
    }
    MixScaled<Alpha>(target, dest, image, weights);
  } catch (const std::exception&) {
    // A destination too large for the scaled pictures paints nothing.
  }
}

}  // namespace

void StretchBlock(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src) {
  const int64_t dw = int64_t(dest.Right) - dest.Left, dh = int64_t(dest.Bottom) - dest.Top;
  if (dw <= 0 || dh <= 0 || !InsideBitmap(src, source)) return;
  const TRect t = ClipToBitmap(dest, target);
  if (t.Width() <= 0) return;
  const int sw = src.Width(), sh = src.Height();
  std::vector<int> columns(size_t(t.Width()));
  for (int x = t.Left; x < t.Right; ++x)
    columns[size_t(x - t.Left)] = src.Left + NearestIndex(int64_t(x) - dest.Left, dw, sw);
  for (int y = t.Top; y < t.Bottom; ++y) {
    const TRGBAPixel* s = source.Row(src.Top + NearestIndex(int64_t(y) - dest.Top, dh, sh));
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
