// Painting gradients. The bands of both directions are walked once; the callers decide whether a
// row or a column of one colour is filled, or mixed with a texture.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/GradientFill.h"
#include "skin/render/sBlend.h"
#include "skin/render/sBlendRows.h"
#include "skin/render/sGradientPaint.h"

namespace {

using Rgb = std::array<uint8_t, 3>;  // red, green, blue

Rgb ColorRgb(int32_t color) {
  return {uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16)};
}
img::TRGBAPixel RgbPixel(const Rgb& c, uint8_t alpha) {
  return {c[2], c[1], c[0], alpha};
}

// Visits positions start..end (inclusive) of one band with its colour. The channels run in 32-bit
// floating point from the first colour, stepping by a 64-bit step per position; each position
// takes its accumulator rounded to nearest, ties to even.
template <typename Visit>
void WalkBand(const TsGradPart& band, int start, int end, Visit visit) {
  if (band.Color1 == band.Color2) {
    for (int i = start; i <= end; ++i) visit(i, ColorRgb(band.Color1));
    return;
  }
  const Rgb from = ColorRgb(band.Color1), to = ColorRgb(band.Color2);
  std::array<float, 3> acc{float(from[0]), float(from[1]), float(from[2])};
  std::array<double, 3> step{};
  for (int c = 0; c < 3; ++c) step[c] = double(to[c] - from[c]) / (end - start);
  for (int i = start; i <= end; ++i) {
    Rgb value;
    for (int c = 0; c < 3; ++c) {
      value[c] = uint8_t(std::clamp(std::nearbyint(acc[c]), 0.0f, 255.0f));
      acc[c] = static_cast<float>(acc[c] + step[c]);
    }
    visit(i, value);
  }
}

// Rows of a vertical gradient: band ends by integer division of the height.
template <typename Visit>
void WalkVertical(const TRect& r, const TsGradArray& gradient, Visit visit) {
  const int last = r.Bottom - 1;
  int start = r.Top;
  for (size_t i = 0; i < gradient.size(); ++i) {
    int end = i + 1 == gradient.size()
                  ? last
                  : std::min(start + r.Height() * gradient[i].Percent / 100, last);
    if (end == start) return;
    if (end < start) continue;
    WalkBand(gradient[i], start, end, visit);
    start = end;
  }
}

// Columns of a horizontal gradient: band ends rounded from a floating share of the width.
template <typename Visit>
void WalkHorizontal(const TRect& r, const TsGradArray& gradient, Visit visit) {
  const int last = r.Right - 1;
  int start = r.Left;
  for (size_t i = 0; i < gradient.size(); ++i) {
    int end = last;
    if (i + 1 < gradient.size())
      end = std::min(int(std::nearbyint(gradient[i].Percent * (r.Width() / 100.0) + start)), last);
    if (end <= start) continue;
    WalkBand(gradient[i], start, end, visit);
    start = end;
  }
}

void FillRow(img::Bitmap32& target, const TRect& r, int y, const Rgb& c) {
  FillPixels(target.Row(y) + r.Left, size_t(r.Width()), RgbPixel(c, 255));
}

// The first row of a horizontal gradient, painted at row r.Top.
void PaintHorizontalRow(img::Bitmap32& target, const TRect& r, const TsGradArray& gradient) {
  img::TRGBAPixel* row = target.Row(r.Top);
  WalkHorizontal(r, gradient, [&](int x, const Rgb& c) { row[x] = RgbPixel(c, 255); });
}

void PaintFourCorners(img::Bitmap32& target, const TRect& r, const TsGradArray& gradient) {
  const std::array<std::array<int32_t, 2>, 5> corners = {
      {{r.Left, r.Top},
       {r.Left + r.Width() / 2, r.Top + r.Height() / 2},
       {r.Right, r.Top},
       {r.Right, r.Bottom},
       {r.Left, r.Bottom}}};
  std::array<platform::TGradientVertex, 5> v{};
  for (size_t i = 0; i < v.size(); ++i) {
    // A corner without its own band takes the previous corner's colour.
    const Rgb c = i < gradient.size()
                      ? ColorRgb(gradient[i].Color1)
                      : Rgb{uint8_t(v[i - 1].Red >> 8), uint8_t(v[i - 1].Green >> 8),
                            uint8_t(v[i - 1].Blue >> 8)};
    v[i] = {corners[i][0],       corners[i][1],       uint16_t(c[0] << 8),
            uint16_t(c[1] << 8), uint16_t(c[2] << 8), 0xFF00};
  }
  const std::array<platform::TGradientTriangle, 4> triangles = {
      {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}}};
  platform::GradientFill::Current().Triangles(target, v, triangles);
}

// The texture half of the textured gradient: the tile repeated from the target's origin.
struct TileMixer {
  const img::Bitmap32& texture;
  TRect tile;  // the texture's tile inside its bitmap
  int weight;  // of the texture

  // row[from, to) holds gradient colours with their alpha; each channel := (weight * (T - G) +
  // G * 256) >> 8 against row y of the tile, in runs that end at the tile's edges. The blend rows
  // weigh the pixels already there, here the gradient, so they take 256 - weight: (256 - weight)
  // * (G - T) + T * 256 is the same number.
  void Mix(img::TRGBAPixel* row, int from, int to, int y) const {
    const img::TRGBAPixel* tileRow = texture.Row(tile.Top + y % tile.Height()) + tile.Left;
    for (int x = from; x < to;) {
      const int phase = x % tile.Width(), n = std::min(tile.Width() - phase, to - x);
      BlendRows(row + x, row + x, tileRow + phase, size_t(n), 256 - weight);
      x += n;
    }
  }
};

}  // namespace

void PaintGradient(img::Bitmap32& target, const TRect& rect, const TsGradArray& gradient) {
  if (rect.Width() <= 0 || rect.Height() <= 0 || gradient.empty()) return;
  const TRect r = ClipToBitmap(rect, target);
  if (r.Width() <= 0) return;
  switch (gradient[0].Mode) {
    case 0:
      WalkVertical(r, gradient, [&](int y, const Rgb& c) { FillRow(target, r, y, c); });
      break;
    case 1:
      PaintHorizontalRow(target, r, gradient);
      for (int y = r.Top + 1; y < r.Bottom; ++y)
        std::copy(target.Row(r.Top) + r.Left, target.Row(r.Top) + r.Right, target.Row(y) + r.Left);
      break;
    case 2:
      PaintFourCorners(target, r, gradient);
      break;
    default:
      break;
  }
}

void PaintGradientTextured(img::Bitmap32& target, const TRect& rect, const TsGradArray& gradient,
                           uint8_t alpha, int weight, TRect textureRect,
                           const img::Bitmap32& texture) {
  if (rect.Width() <= 0 || rect.Height() <= 0 || gradient.empty()) return;
  const TRect r = ClipToBitmap(rect, target);
  if (textureRect.Width() <= 0 || textureRect.Height() <= 0)
    textureRect = {0, 0, texture.Width(), texture.Height()};
  const TRect tile = ClipToBitmap(textureRect, texture);
  if (r.Width() <= 0 || tile.Width() <= 0) return;
  const TileMixer mixer{texture, tile, weight};
  const size_t width = size_t(r.Width());
  if (gradient[0].Mode == 0) {
    // A row has one gradient colour, so it repeats with the tile: one tile's width is mixed and
    // copied along the row.
    const size_t period = std::min(size_t(tile.Width()), width);
    WalkVertical(r, gradient, [&](int y, const Rgb& c) {
      img::TRGBAPixel* row = target.Row(y) + r.Left;
      FillPixels(row, period, RgbPixel(c, alpha));
      mixer.Mix(target.Row(y), r.Left, r.Left + int(period), y);
      RepeatPixels(row, period, width);
    });
  } else if (gradient[0].Mode == 1) {
    // The gradient row once (columns no band reaches keep the first row's colours), then one tile
    // high of mixed rows, repeated downwards.
    std::vector<img::TRGBAPixel> first(target.Row(r.Top) + r.Left, target.Row(r.Top) + r.Right);
    for (img::TRGBAPixel& p : first) p.A = alpha;
    WalkHorizontal(r, gradient,
                   [&](int x, const Rgb& c) { first[size_t(x - r.Left)] = RgbPixel(c, alpha); });
    const int block = std::min(tile.Height(), r.Height());
    for (int y = r.Top; y < r.Top + block; ++y) {
      std::copy(first.begin(), first.end(), target.Row(y) + r.Left);
      mixer.Mix(target.Row(y), r.Left, r.Right, y);
    }
    for (int y = r.Top + block; y < r.Bottom; ++y)
      std::copy(target.Row(y - block) + r.Left, target.Row(y - block) + r.Right,
                target.Row(y) + r.Left);
  }
}
