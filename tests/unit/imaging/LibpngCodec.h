// libpng as an independent reference: it writes the test images and decodes them for comparison,
// and it is the yardstick of the benchmarks. Used by tests and benchmarks only.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/Picture.h"

namespace img::test {

using Bytes = std::vector<uint8_t>;

enum class Content {
  Noise,   // every sample random: all filters get real work, little compresses
  Smooth,  // gradients with a little noise, like the art in skins
};

struct ImageSpec {
  int width = 1;
  int height = 1;
  int colorType = 6;
  int bitDepth = 8;
  bool interlaced = false;
  int filters = 0;                // PNG_FILTER_* flags; 0 leaves libpng's own choice
  std::optional<uint32_t> gamma;  // gAMA value (x 100000)
  bool transparency = false;      // add a tRNS chunk
  Content content = Content::Noise;
  uint32_t seed = 1;
};

// A PNG file written by libpng, with deterministic samples.
Bytes WritePng(const ImageSpec& shape);

// What the file holds, as libpng reads it: samples unpacked to one byte each (16-bit samples cut
// to their high byte), de-interlaced, plus the palette, gAMA and tRNS values.
struct LibpngImage {
  int width = 0;
  int height = 0;
  int colorType = 0;
  int bitDepth = 0;
  int channels = 0;
  Bytes samples;
  std::vector<TPaletteEntry> palette;
  std::optional<uint32_t> gamma;
  Bytes paletteAlpha;
};
LibpngImage ReadPng(const Bytes& file);

// The RGBA picture we expect from our decoder for what libpng read: palettes and grey looked up,
// alpha kept only for RGBA, colours corrected by gAMA for a display gamma of 2.2.
RGBAImage ExpectedRGBA(const LibpngImage& image);

// Decodes as our decoder stores the picture: RGBA as blue, green, red, alpha, palette images as
// indices. The rows go into out, resized as needed. Returns false when libpng fails.
bool DecodeLikeOurs(const Bytes& file, Bytes& out);

}  // namespace img::test
