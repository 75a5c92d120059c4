#include "skin/render/sBlend.h"

#include <cmath>

void PremultiplyBitmap(img::Bitmap32& target) {
  const img::TRGBAPixel emptyWhite{0xFF, 0xFF, 0xFF, 0};
  for (int y = 0; y < target.Height(); ++y) {
    img::TRGBAPixel* row = target.Row(y);
    for (int x = 0; x < target.Width(); ++x) {
      img::TRGBAPixel& p = row[x];
      if (p == emptyWhite) {
        p = {0, 0, 0, 0};
        continue;
      }
      p.B = static_cast<uint8_t>(p.B * p.A >> 8);
      p.G = static_cast<uint8_t>(p.G * p.A >> 8);
      p.R = static_cast<uint8_t>(p.R * p.A >> 8);
    }
  }
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
