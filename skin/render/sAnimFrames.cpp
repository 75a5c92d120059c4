#include "skin/render/sAnimFrames.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Alphas and places are rounded to the nearest integer, halves to even.
int Round(double value) {
  return int(std::lrint(value));
}

uint8_t RoundAlpha(double value) {
  return uint8_t(std::clamp(Round(value), 0, 255));
}

// A frame's rectangle from its real-valued edges: the place rounded, the size rounded apart.
TRect FrameRect(double left, double top, double right, double bottom) {
  int l = Round(left), t = Round(top);
  return {l, t, l + Round(right - left), t + Round(bottom - top)};
}

}  // namespace

std::vector<TsAnimFrame> ShowFrames(int timeMs, uint8_t target, bool zoom, TsAnimKind kind,
                                    int width, int height) {
  const int n = FrameSteps(timeMs);
  std::vector<TsAnimFrame> frames;
  if (n == 0) return frames;
  const double step = double(target) / (kind == TsAnimKind::Dialog ? n + 1 : n);
  const double dx = width / (8.0 * n), dy = height / (8.0 * n);
  double alpha = 0;
  double left = width / 8.0, top = height / 8.0;
  double right = width - width / 8.0, bottom = height - height / 8.0;
  for (int k = 0; k <= n; ++k) {
    alpha = std::min<double>(target, alpha + step);
    TsAnimFrame frame{RoundAlpha(alpha), TsFrameFill::Keep, {}};
    if (zoom) {
      frame.Rect = FrameRect(left, top, right, bottom);
      // Rounding may carry the last frame just past the picture's edge: it is the whole picture.
      if (left < 0 || top < 0)
        frame.Fill = TsFrameFill::Copy;
      else
        frame.Fill = k == 0 ? TsFrameFill::ClearAndStretch : TsFrameFill::Stretch;
      left -= dx;
      top -= dy;
      right += dx;
      bottom += dy;
    } else if (k == 0) {
      frame.Fill = TsFrameFill::Copy;
    }
    frames.push_back(frame);
  }
  return frames;
}

std::vector<TsAnimFrame> HideFrames(int timeMs, uint8_t start, bool zoom, int width, int height) {
  const int n = FrameSteps(timeMs);
  std::vector<TsAnimFrame> frames;
  if (n == 0) return frames;
  const double step = double(start) / n;
  const double dx = width / (8.0 * n), dy = height / (8.0 * n);
  double alpha = start;
  double left = 0, top = 0, right = width, bottom = height;
  for (int k = 0; k <= n; ++k) {
    alpha = std::max(0.0, alpha - step);
    TsAnimFrame frame{RoundAlpha(alpha), TsFrameFill::Keep, {}};
    if (zoom) {
      frame.Rect = FrameRect(left, top, right, bottom);
      frame.Fill = left < 0 || top < 0 ? TsFrameFill::Copy : TsFrameFill::ClearAndStretch;
      left += dx;
      top += dy;
      right -= dx;
      bottom -= dy;
    } else if (k == 0) {
      frame.Fill = TsFrameFill::Copy;
    }
    frames.push_back(frame);
  }
  return frames;
}

uint8_t OldLookAlpha(uint8_t target, uint8_t frameAlpha) {
  return uint8_t(std::clamp(3 * (int(target) - int(frameAlpha)), 0, 255));
}

int CrossFadeWeight(int k, int n) {
  if (n <= 0) return 0;
  return std::max(0, 255 - k * (255 / n));
}

void StretchNearest(const img::Bitmap32& source, img::Bitmap32& target, const TRect& rect) {
  const int dw = rect.Width(), dh = rect.Height();
  if (dw <= 0 || dh <= 0 || source.Empty()) return;
  const int sw = source.Width(), sh = source.Height();
  const int x0 = std::max(0, rect.Left), x1 = std::min(target.Width(), rect.Right);
  const int y0 = std::max(0, rect.Top), y1 = std::min(target.Height(), rect.Bottom);
  if (x0 >= x1 || y0 >= y1) return;
  // Source column of every target column, once for all rows.
  std::vector<int> columns(size_t(x1 - x0));
  for (int x = x0; x < x1; ++x) columns[size_t(x - x0)] = int(int64_t(x - rect.Left) * sw / dw);
  for (int y = y0; y < y1; ++y) {
    const img::TRGBAPixel* from = source.Row(int(int64_t(y - rect.Top) * sh / dh));
    img::TRGBAPixel* to = target.Row(y) + x0;
    for (int i = 0; i < x1 - x0; ++i) to[i] = from[columns[size_t(i)]];
  }
}

void PrepareFrame(const img::Bitmap32& picture, img::Bitmap32& buffer, const TsAnimFrame& frame) {
  if (buffer.Width() != picture.Width() || buffer.Height() != picture.Height()) return;
  switch (frame.Fill) {
    case TsFrameFill::Keep:
      return;
    case TsFrameFill::Copy:
      if (!picture.Empty())
        std::memcpy(buffer.Row(0), picture.Row(0), picture.PixelCount() * sizeof(img::TRGBAPixel));
      return;
    case TsFrameFill::ClearAndStretch:
      buffer.Fill({0, 0, 0, 0});
      [[fallthrough]];
    case TsFrameFill::Stretch:
      StretchNearest(picture, buffer, frame.Rect);
      return;
  }
}
