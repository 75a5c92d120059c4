#include "skin/render/sBlend.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "skin/data/SkinSystem.h"
#include "skin/render/sBlendRows.h"

namespace {

uint8_t Round(double value) {
  return static_cast<uint8_t>(std::nearbyint(std::clamp(value, 0.0, 255.0)));
}

// Calls visit(pixel) for every pixel of the rectangle, clipped to the bitmap.
template <typename Visit>
void ForEachPixel(img::Bitmap32& target, TRect rect, Visit visit) {
  TRect r = ClipToBitmap(rect, target);
  for (int y = r.Top; y < r.Bottom; ++y) {
    img::TRGBAPixel* row = target.Row(y);
    for (int x = r.Left; x < r.Right; ++x) visit(row[x]);
  }
}

// Calls visit(pixel, channel, colourChannel) for blue, green and red.
template <typename Visit>
void ForEachChannel(img::TRGBAPixel& p, int32_t color, Visit visit) {
  img::TRGBAPixel q = ColorPixel(color, 0);
  visit(p.B, q.B);
  visit(p.G, q.G);
  visit(p.R, q.R);
}

bool SameSize(const img::Bitmap32& a, const img::Bitmap32& b) {
  return a.Width() == b.Width() && a.Height() == b.Height();
}

}  // namespace

void FillPixels(img::TRGBAPixel* out, size_t count, img::TRGBAPixel value) {
  uint32_t word;
  std::memcpy(&word, &value, sizeof word);
  for (size_t i = 0; i < count; ++i) std::memcpy(out + i, &word, sizeof word);
}

void RepeatPixels(img::TRGBAPixel* out, size_t period, size_t count) {
  if (period == 0) return;
  for (size_t done = period; done < count;) {
    const size_t n = std::min(done, count - done);
    std::memcpy(out + done, out, n * sizeof *out);
    done += n;
  }
}

void FillRectAlpha(img::Bitmap32& target, TRect rect, int32_t color, uint8_t alpha) {
  const TRect r = ClipToBitmap(rect, target);
  for (int y = r.Top; y < r.Bottom; ++y)
    FillPixels(target.Row(y) + r.Left, size_t(r.Width()), ColorPixel(color, alpha));
}

void FillFrameAlpha(img::Bitmap32& target, TRect r, int left, int top, int right, int bottom,
                    int32_t color) {
  FillRectAlpha(target, {r.Left, r.Top, r.Right, r.Top + top}, color, 255);
  FillRectAlpha(target, {r.Left, r.Top + top, r.Left + left, r.Bottom}, color, 255);
  FillRectAlpha(target, {r.Left + left, r.Bottom - bottom, r.Right, r.Bottom}, color, 255);
  FillRectAlpha(target, {r.Right - right, r.Top + top, r.Right, r.Bottom - bottom}, color, 255);
}

void BlendRectWithColor(img::Bitmap32& target, TRect rect, int percent, int32_t color) {
  const double f = percent / 100.0;
  const img::TRGBAPixel q = ColorPixel(skin::ColorToRGB(color), 0);
  // A byte's result depends on nothing but the byte, so each channel's 256 results are rounded
  // once here, already in their place in the pixel value.
  const std::array<uint8_t, 3> channels{q.B, q.G, q.R};
  std::array<std::array<uint32_t, 256>, 3> results;
  for (size_t c = 0; c < 3; ++c)
    for (int d = 0; d < 256; ++d)
      results[c][size_t(d)] = uint32_t(Round(f * d + (1 - f) * channels[c])) << (8 * c);
  auto blend = [&results](uint32_t v) {
    return (v & 0xFF000000u) | results[0][v & 0xFF] | results[1][v >> 8 & 0xFF] |
           results[2][v >> 16 & 0xFF];
  };
  // Plain colours and gradients repeat themselves: a row like the one above it (as that one was
  // before blending) takes that one's results, and a pixel like the one before it that one's.
  const TRect r = ClipToBitmap(rect, target);
  const size_t width = size_t(r.Width()), rowBytes = width * sizeof(img::TRGBAPixel);
  std::vector<img::TRGBAPixel> above;
  uint32_t last = 0, lastResult = blend(0);
  for (int y = r.Top; y < r.Bottom; ++y) {
    img::TRGBAPixel* row = target.Row(y) + r.Left;
    if (y > r.Top && std::memcmp(row, above.data(), rowBytes) == 0) {
      std::memcpy(row, target.Row(y - 1) + r.Left, rowBytes);
      continue;
    }
    above.assign(row, row + width);
    for (size_t x = 0; x < width; ++x) {
      const uint32_t v = PixelValue(row[x]);
      if (v != last) last = v, lastResult = blend(v);
      row[x] = ValuePixel(lastResult);
    }
  }
}

void TintRect(img::Bitmap32& target, TRect rect, int32_t color, uint8_t alpha, int percent) {
  ForEachPixel(target, rect, [&](img::TRGBAPixel& p) {
    ForEachChannel(p, color,
                   [percent](uint8_t& d, int q) { d = Round(d - percent * double(d - q) / 100); });
    p.A = alpha;
  });
}

void SetRectAlpha(img::Bitmap32& target, TRect rect, uint8_t alpha, uint32_t key) {
  ForEachPixel(target, rect, [&](img::TRGBAPixel& p) {
    if (key == kNoKey || PixelValue(p) != key) p.A = alpha;
  });
}

void BlendBitmaps(img::Bitmap32& target, const img::Bitmap32& source, int w, int x, int y,
                  TRect sourceRect) {
  // A source pixel (sx, sy) lands on (sx + dx, sy + dy); both ends are clipped.
  const int dx = x - sourceRect.Left, dy = y - sourceRect.Top;
  const TRect s = ClipToBitmap(sourceRect, source);
  const TRect t = ClipToBitmap({s.Left + dx, s.Top + dy, s.Right + dx, s.Bottom + dy}, target);
  for (int ty = t.Top; ty < t.Bottom; ++ty) {
    img::TRGBAPixel* out = target.Row(ty) + t.Left;
    BlendRows(out, out, source.Row(ty - dy) + t.Left - dx, size_t(t.Width()), w);
  }
}

void BlendUniform(img::Bitmap32& target, const img::Bitmap32& source, int w) {
  if (!SameSize(target, source) || target.Empty()) return;
  BlendRows(target.Row(0), target.Row(0), source.Row(0), target.PixelCount(), w);
}

void CrossFade(img::Bitmap32& result, const img::Bitmap32& first, const img::Bitmap32& second,
               int w) {
  if (!SameSize(first, second) || !SameSize(result, first) || first.Empty()) return;
  BlendRows(result.Row(0), first.Row(0), second.Row(0), first.PixelCount(), w);
}

void CrossFade(img::Bitmap32& result, const img::Bitmap32& first, const img::Bitmap32& second,
               const img::Bitmap32& weights) {
  if (!SameSize(first, second) || !SameSize(result, first) || !SameSize(weights, first)) return;
  auto mix = [](int f, int g, int w) { return static_cast<uint8_t>((w * (f - g) + g * 256) >> 8); };
  const size_t count = first.PixelCount();
  for (size_t i = 0; i < count; ++i) {
    const img::TRGBAPixel f = first.Row(0)[i], g = second.Row(0)[i], w = weights.Row(0)[i];
    img::TRGBAPixel& r = result.Row(0)[i];
    r = {mix(f.B, g.B, w.B), mix(f.G, g.G, w.G), mix(f.R, g.R, w.R), r.A};
  }
}

void BlendBitmapKeyed(img::Bitmap32& target, int x, int y, int32_t key, double ratio,
                      TRect sourceRect, const img::Bitmap32& source) {
  const uint32_t keyPixel = PixelValue(ColorPixel(key, 0));
  // The source rectangle is inclusive.
  TRect s = ClipToBitmap(
      {sourceRect.Left, sourceRect.Top, sourceRect.Right + 1, sourceRect.Bottom + 1}, source);
  for (int sy = s.Top; sy < s.Bottom; ++sy) {
    int ty = y + sy - sourceRect.Top;
    if (ty < 0 || ty >= target.Height()) continue;
    for (int sx = s.Left; sx < s.Right; ++sx) {
      int tx = x + sx - sourceRect.Left;
      const img::TRGBAPixel src = source.Pixel(sx, sy);
      if (tx < 0 || tx >= target.Width() || (PixelValue(src) & 0xFFFFFF) == keyPixel) continue;
      img::TRGBAPixel& d = target.Pixel(tx, ty);
      auto mix = [ratio](uint8_t& dc, int sc) { dc = Round(sc - (sc - dc) * ratio); };
      mix(d.B, src.B), mix(d.G, src.G), mix(d.R, src.R);
    }
  }
}

void BlendKeyedToColor(img::Bitmap32& target, int32_t color, double ratio) {
  ForEachPixel(target, {0, 0, target.Width(), target.Height()}, [&](img::TRGBAPixel& p) {
    if (PixelValue(p) == 0x00FF00FF) return;
    ForEachChannel(p, color, [ratio](uint8_t& d, int q) { d = Round(ratio * (d - q) + q); });
  });
}

void TintByMask(img::Bitmap32& target, const img::Bitmap32& mask, int32_t color) {
  if (!SameSize(target, mask)) return;
  const img::TRGBAPixel q = ColorPixel(color, 0);
  auto tint = [](uint8_t& d, int q, int m) {
    d = static_cast<uint8_t>((q * 256 + (d - q) * m) >> 8);
  };
  for (size_t i = 0; i < target.PixelCount(); ++i) {
    img::TRGBAPixel& p = target.Row(0)[i];
    const img::TRGBAPixel m = mask.Row(0)[i];
    tint(p.B, q.B, m.B), tint(p.G, q.G, m.G), tint(p.R, q.R, m.R);
  }
}

void CopyNonKey(img::Bitmap32& target, const img::Bitmap32& source, int x, int y, int32_t key) {
  const uint32_t keyPixel = PixelValue(ColorPixel(key, uint8_t(uint32_t(key) >> 24)));
  TRect t = ClipToBitmap({x, y, x + source.Width(), y + source.Height()}, target);
  for (int ty = t.Top; ty < t.Bottom; ++ty)
    for (int tx = t.Left; tx < t.Right; ++tx) {
      const img::TRGBAPixel s = source.Pixel(tx - x, ty - y);
      if (PixelValue(s) != keyPixel) target.Pixel(tx, ty) = {s.B, s.G, s.R, 255};
    }
}

void CopyChannel(img::Bitmap32& bitmap32, img::IndexedBitmap& bitmap8, int channel, bool toEight) {
  if (channel < 0 || channel > 3 || bitmap32.Width() != bitmap8.Width() ||
      bitmap32.Height() != bitmap8.Height())
    return;
  for (int y = 0; y < bitmap32.Height(); ++y) {
    uint8_t* bytes = reinterpret_cast<uint8_t*>(bitmap32.Row(y)) + channel;
    uint8_t* row8 = bitmap8.Row(y);
    for (int x = 0; x < bitmap32.Width(); ++x) {
      if (toEight)
        row8[x] = bytes[size_t(x) * 4];
      else
        bytes[size_t(x) * 4] = row8[x];
    }
  }
}

uint32_t GetPixel32(const img::Bitmap32& bitmap, int x, int y) {
  if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height()) return 0;
  return PixelValue(bitmap.Pixel(x, y));
}

void SetPixel32(img::Bitmap32& bitmap, int x, int y, uint32_t value) {
  if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height()) return;
  bitmap.Pixel(x, y) = ValuePixel(value);
}
