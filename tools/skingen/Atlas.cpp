#include "tools/skingen/Atlas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skingen {

namespace {

constexpr img::TRGBAPixel kKeyPixel{0xFF, 0x00, 0xFF, 0x00};

}  // namespace

img::Bitmap32 KeyedPicture(const Layer& layer, bool masked) {
  img::Bitmap32 straight = layer.ToBitmap();
  int w = layer.Width(), h = layer.Height();
  img::Bitmap32 out(w, masked ? 2 * h : h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      img::TRGBAPixel p = straight.Pixel(x, y);
      // The key colour itself must not appear as a real colour.
      if (p.R == 0xFF && p.G == 0 && p.B == 0xFF) p.G = 1;
      bool transparent = masked ? p.A == 0 : p.A < 128;
      out.Pixel(x, y) = transparent ? kKeyPixel : img::TRGBAPixel{p.B, p.G, p.R, 0xFF};
      if (masked) {
        uint8_t m = static_cast<uint8_t>(255 - p.A);
        out.Pixel(x, y + h) = {m, m, m, 0xFF};
      }
    }
  return out;
}

Rect Atlas::Add(const Layer& layer, bool masked) {
  return AddBitmap(KeyedPicture(layer, masked));
}

Rect Atlas::AddBitmap(const img::Bitmap32& picture) {
  int w = picture.Width(), h = picture.Height();
  if (w + 2 > width_) throw std::runtime_error("picture wider than the master bitmap");
  if (x_ + w + 1 > width_) {
    y_ += shelfHeight_ + 1;
    x_ = 1;
    shelfHeight_ = 0;
  }
  Rect rect{x_, y_, x_ + w, y_ + h};
  placed_.push_back({rect, picture});
  x_ += w + 1;
  shelfHeight_ = std::max(shelfHeight_, h);
  return rect;
}

img::Bitmap32 Atlas::Build() const {
  int height = y_ + shelfHeight_ + 1;
  img::Bitmap32 master(width_, height);
  master.Fill(kKeyPixel);
  for (const Placed& p : placed_)
    for (int y = 0; y < p.picture.Height(); ++y)
      std::copy(p.picture.Row(y), p.picture.Row(y) + p.picture.Width(),
                master.Row(p.rect.top + y) + p.rect.left);
  return master;
}

}  // namespace skingen
