// Turning unfiltered PNG scanlines into the pixels of the picture we keep, and building the
// palettes and gamma tables that go with them.
//
// Output forms by colour type: grey (0) and grey with alpha (4) become palette indices into a
// grey palette (alpha dropped, 16-bit samples cut to their high byte, depths below 8 bits
// unpacked to one byte per pixel); palette images (3) become their indices; RGB (2) becomes
// blue, green, red bytes; RGBA (6) becomes blue, green, red, alpha bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/Picture.h"

namespace img {

class TColorManager {
 public:
  // colorType and bitDepth must form one of the combinations PNG allows. fileGamma is the
  // file's gamma (gAMA / 100000); 0 means the file states none and no correction is made.
  TColorManager(uint8_t colorType, uint8_t bitDepth, double fileGamma);

  // Bytes per output pixel: 1 (indices), 3 (BGR) or 4 (BGRA).
  int OutputBytes() const noexcept { return outputBytes_; }
  // The depth an indexed output stands for (1, 4 or 8); 0 for the other forms.
  int IndexedBits() const noexcept;

  // Converts `count` pixels of an unfiltered scanline into OutputBytes() * count bytes at dst.
  void ConvertRow(const uint8_t* raw, size_t count, uint8_t* dst) const;

  // The grey palette of a grey image: one entry per possible sample, gamma-corrected.
  std::vector<TPaletteEntry> GreyPalette() const;
  // A palette colour or 8-bit colour with the gamma correction applied.
  TPaletteEntry Correct(TPaletteEntry colour) const noexcept;

 private:
  uint8_t colorType_;
  uint8_t bitDepth_;
  int outputBytes_;
  bool corrected_ = false;          // a gamma table is in force and is not the identity
  std::array<uint8_t, 256> table_;  // gamma for 8-bit samples
  double exponent_ = 1.0;           // 1 / (file gamma * display gamma)
};

}  // namespace img
