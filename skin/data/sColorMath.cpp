#include "skin/data/sColorMath.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

uint8_t Limit(double value) {
  return static_cast<uint8_t>(std::nearbyint(std::clamp(value, 0.0, 255.0)));
}

uint32_t SwapRedBlue(uint32_t v) {
  return (v & 0xFF00FF00u) | (v & 0xFF) << 16 | (v >> 16 & 0xFF);
}

bool KeyOrGrey(const img::TRGBAPixel& p) {
  return PixelValue(p) == 0x00FF00FF || (p.R == p.G && p.R == p.B);
}

}  // namespace

TRect ClipToBitmap(TRect rect, const img::Bitmap32& bitmap) {
  TRect r{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, bitmap.Width()),
          std::min(rect.Bottom, bitmap.Height())};
  return r.Left < r.Right && r.Top < r.Bottom ? r : TRect{};
}

int32_t MixColors(int32_t a, int32_t b, double ratio) {
  uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
  uint32_t result = ua & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    double mixed = ratio * ((ua >> shift) & 0xFF) + (1 - ratio) * ((ub >> shift) & 0xFF);
    result |= (static_cast<uint32_t>(std::nearbyint(mixed)) & 0xFF) << shift;
  }
  return static_cast<int32_t>(result);
}

void PremultiplyRect(img::Bitmap32& target, TRect rect) {
  const img::TRGBAPixel emptyWhite{0xFF, 0xFF, 0xFF, 0};
  const TRect r = ClipToBitmap(rect, target);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (img::TRGBAPixel& p : std::span(target.Row(y) + r.Left, size_t(r.Width()))) {
      if (p == emptyWhite) {
        p = {0, 0, 0, 0};
        continue;
      }
      p.B = static_cast<uint8_t>(p.B * p.A >> 8);
      p.G = static_cast<uint8_t>(p.G * p.A >> 8);
      p.R = static_cast<uint8_t>(p.R * p.A >> 8);
    }
}

void PremultiplyBitmap(img::Bitmap32& target) {
  PremultiplyRect(target, {0, 0, target.Width(), target.Height()});
}

uint32_t ChangeHue(int amount, uint32_t pixel) {
  int r = pixel >> 16 & 0xFF, g = pixel >> 8 & 0xFF, b = pixel & 0xFF;
  uint32_t top = pixel & 0xFF000000u;
  int v = std::max({r, g, b});
  int delta = v - std::min({r, g, b});
  double s = v == 0 ? 0 : double(delta) / v;
  if (s == 0) return (pixel & 0xFF00FFFFu) | uint32_t(v) << 16;
  double h;
  if (r == v)
    h = 60.0 * (g - b) / delta;
  else if (g == v)
    h = 120 + 60.0 * (b - r) / delta;
  else
    h = 240 + 60.0 * (r - g) / delta;
  if (h < 0) h += 360;
  // A negative shift goes backwards round the wheel; taken as it comes, the negative angle would
  // fall outside every sector and turn any hue into magenta.
  double shifted = std::fmod(std::nearbyint(h + amount), 360.0);
  if (shifted < 0) shifted += 360;
  int sector = static_cast<int>(shifted / 60);
  double f = shifted / 60 - sector;
  uint8_t V = static_cast<uint8_t>(v);
  uint8_t p = Limit(v * (1 - s)), q = Limit(v * (1 - f * s)), t = Limit(v * (1 - (1 - f) * s));
  uint8_t R, G, B;
  switch (sector) {
    case 0:
      R = V, G = t, B = p;
      break;
    case 1:
      R = q, G = V, B = p;
      break;
    case 2:
      R = p, G = V, B = t;
      break;
    case 3:
      R = p, G = q, B = V;
      break;
    case 4:
      R = t, G = p, B = V;
      break;
    default:
      R = V, G = p, B = q;
      break;
  }
  return top | uint32_t(R) << 16 | uint32_t(G) << 8 | B;
}

int32_t ChangeHueColor(int amount, int32_t color) {
  if (amount == 0) return color;
  return static_cast<int32_t>(
      SwapRedBlue(ChangeHue(amount, SwapRedBlue(static_cast<uint32_t>(color)))));
}

int32_t ChangeSaturation(int amount, int32_t value) {
  if (amount == 0) return value;
  uint32_t v = static_cast<uint32_t>(value);
  double mean = ((v & 0xFF) + (v >> 8 & 0xFF) + (v >> 16 & 0xFF)) / 3.0;
  uint32_t result = v & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    double channel = v >> shift & 0xFF;
    result |= uint32_t(Limit(channel - (mean - channel) * amount / 100)) << shift;
  }
  return static_cast<int32_t>(result);
}

namespace {

// Applies change (pixel value 0x00RRGGBB in, the same out) to every pixel that is neither a key
// pixel nor grey, keeping its alpha.
template <typename Change>
void ChangeColouredPixels(img::Bitmap32& bitmap, Change change) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (img::TRGBAPixel& p : std::span(bitmap.Row(y), size_t(bitmap.Width()))) {
      if (KeyOrGrey(p)) continue;
      uint32_t changed = change(PixelValue(p));
      p = {uint8_t(changed), uint8_t(changed >> 8), uint8_t(changed >> 16), p.A};
    }
}

}  // namespace

void ChangeBitmapHue(img::Bitmap32& bitmap, int amount) {
  ChangeColouredPixels(bitmap, [amount](uint32_t v) { return ChangeHue(amount, v); });
}

void ChangeBitmapSaturation(img::Bitmap32& bitmap, int amount) {
  ChangeColouredPixels(bitmap, [amount](uint32_t v) {
    return static_cast<uint32_t>(ChangeSaturation(amount, static_cast<int32_t>(v)));
  });
}
