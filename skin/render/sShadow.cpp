#include "skin/render/sShadow.h"

#include <algorithm>
#include <cmath>

#include "skin/data/SkinSystem.h"
#include "skin/data/sSkinData.h"
#include "skin/render/sBlend.h"

namespace {

// The grey levels of the visible part of the shadow rectangle. Coordinates are the rectangle's
// own (0, 0 at its top-left); the mask covers its columns left .. left + width - 1 and rows
// top .. top + height - 1, so a rectangle that sticks out of the target keeps its shape. It starts
// black, like any new bitmap.
struct TShadowMask {
  int left, top;
  img::Bitmap32 grey;

  // Fills the rounded rectangle (l, t, r, b), r and b exclusive, whose corners are quarters of an
  // ellipse corner x corner pixels in size. A pixel belongs to it when its centre does.
  void FillRounded(int l, int t, int r, int b, int corner, uint8_t level) {
    const double radius = corner > 1 ? corner / 2.0 : 0;
    const int y0 = std::max(t, top), y1 = std::min(b, top + grey.Height());
    for (int y = y0; y < y1; ++y) {
      const double centreY = y + 0.5;
      double dy = 0;
      if (centreY < t + radius) dy = t + radius - centreY;
      if (centreY > b - radius) dy = centreY - (b - radius);
      const double inset = dy > 0 ? radius - std::sqrt(radius * radius - dy * dy) : 0;
      const int x0 = std::max(static_cast<int>(std::ceil(l + inset - 0.5)), left);
      const int x1 =
          std::min(static_cast<int>(std::floor(r - inset - 0.5)) + 1, left + grey.Width());
      if (x0 >= x1) continue;
      img::TRGBAPixel* row = grey.Row(y - top);
      std::fill(row + (x0 - left), row + (x1 - left), img::TRGBAPixel{level, level, level, 0});
    }
  }
};

}  // namespace

void TintRoundedShadow(img::Bitmap32& target, const TRect& rect, int strength, int radius,
                       int depth, int32_t color) {
  const int w = rect.Width(), h = rect.Height();
  const int left = std::max(rect.Left, 0), top = std::max(rect.Top, 0);
  const int right = std::min(rect.Right, target.Width());
  const int bottom = std::min(rect.Bottom, target.Height());
  if (w <= 0 || h <= 0 || left >= right || top >= bottom) return;

  const int d = std::min({w / 2, h / 2, depth});
  const int corner = std::min({w / 2, h / 2, radius});
  // A strength outside 0..100 would wrap around as a byte level and tint the wrong way.
  const int level = std::clamp(strength, 0, 100) * 255 / 100;
  TShadowMask mask{left - rect.Left, top - rect.Top, img::Bitmap32(right - left, bottom - top)};
  for (int u = 0; u <= d; ++u) {
    const int grey =
        u == 0 ? 255
               : level + static_cast<int>(std::nearbyint((255.0 - level) / (d + 1) * (d - u + 1)));
    mask.FillRounded(u, u, w - u, h - u, corner, static_cast<uint8_t>(grey));
  }
  mask.FillRounded(d, d, w - d, h - d, d, static_cast<uint8_t>(level));

  img::Bitmap32 area(right - left, bottom - top);
  for (int y = top; y < bottom; ++y) {
    std::copy_n(target.Row(y) + left, area.Width(), area.Row(y - top));
  }
  TintByMask(area, mask.grey, skin::ColorToRGB(color));
  for (int y = top; y < bottom; ++y) {
    std::copy_n(area.Row(y - top), area.Width(), target.Row(y) + left);
  }
}
