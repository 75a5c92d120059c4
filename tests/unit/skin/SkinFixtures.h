// Small skins made on the fly for tests and benchmarks: pictures in memory, encoded as the BMP
// and PNG files a skin carries, and packed skins built from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skin_fixtures {

// A picture as 0x00RRGGBB values, rows top-down.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> rgb;
  uint32_t& At(int x, int y) { return rgb[size_t(y) * size_t(width) + size_t(x)]; }
};

Pixels Solid(int width, int height, uint32_t rgb);
// A 24-bit Windows bitmap file (bottom-up rows).
std::string Bmp24(const Pixels& pixels);
// An 8-bit RGBA PNG file; alpha gives each pixel's alpha (one value per pixel, or empty for 255).
std::string PngRgba(const Pixels& pixels, const std::vector<uint8_t>& alpha = {});

}  // namespace skin_fixtures
