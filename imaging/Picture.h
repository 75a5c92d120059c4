// The forms a decoded image can take, and their common conversion to 8-bit RGBA.
//
// A decoder fills exactly one pixel form of a Picture: an indexed bitmap with a palette, a 24-bit
// BGR bitmap or a 32-bit BGRA Bitmap32. Transparency that is described rather than stored in the
// pixels (a palette alpha table, a colour key) travels beside them in Transparency.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "imaging/Bitmap32.h"

namespace img {

// One palette colour.
struct TPaletteEntry {
  uint8_t R, G, B;
  bool operator==(const TPaletteEntry&) const = default;
};

// A palette picture: one byte per pixel holding a palette index, rows top-down. BitsPerPixel is
// the depth the picture stands for (1, 4 or 8: a 2-bit source is kept as a 4-bit picture); the
// indices are unpacked either way. Indices never exceed the palette: the decoder guarantees it.
class IndexedBitmap {
 public:
  IndexedBitmap() = default;
  // A zero-filled picture of the given size (non-negative) with an empty palette.
  IndexedBitmap(int width, int height, int bitsPerPixel);

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  int BitsPerPixel() const noexcept { return bitsPerPixel_; }
  uint8_t* Row(int y) noexcept { return indices_.data() + size_t(y) * size_t(width_); }
  const uint8_t* Row(int y) const noexcept { return indices_.data() + size_t(y) * size_t(width_); }

  // Up to 256 colours.
  std::vector<TPaletteEntry> palette;

 private:
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 8;
  std::vector<uint8_t> indices_;
};

// A 24-bit picture: three bytes per pixel in memory order blue, green, red, rows top-down and
// contiguous (no padding).
class Bitmap24 {
 public:
  Bitmap24() = default;
  // A zero-filled picture of the given size (non-negative).
  Bitmap24(int width, int height);

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  uint8_t* Row(int y) noexcept { return bytes_.data() + size_t(y) * size_t(width_) * 3; }
  const uint8_t* Row(int y) const noexcept {
    return bytes_.data() + size_t(y) * size_t(width_) * 3;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> bytes_;
};

// Transparency that the pixels themselves do not carry.
struct Transparency {
  // For grey and RGB pictures: pixels of exactly this colour are meant to be see-through.
  std::optional<TPaletteEntry> colourKey;
  // For palette pictures: the alpha of each palette entry (255 = opaque); only meaningful when
  // hasPaletteAlpha is set.
  std::array<uint8_t, 256> paletteAlpha{};
  bool hasPaletteAlpha = false;
};

// A decoded picture: one pixel form (none when nothing was decoded) and its transparency.
struct Picture {
  std::variant<std::monostate, IndexedBitmap, Bitmap24, Bitmap32> pixels;
  Transparency transparency;

  int Width() const noexcept;
  int Height() const noexcept;
  bool Empty() const noexcept { return Width() == 0 || Height() == 0; }
};

// A plain 8-bit RGBA image: Width() * Height() * 4 bytes in the order R, G, B, A, rows top-down.
struct RGBAImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bytes;
};

// Expands any pixel form to RGBA: palettes are looked up, alpha is the picture's own alpha
// channel where it has one (32-bit form) and 255 elsewhere. The Transparency description is not
// applied. An empty picture gives an empty image.
RGBAImage ToRGBA(const Picture& picture);

}  // namespace img
