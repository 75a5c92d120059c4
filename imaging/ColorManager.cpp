#include "imaging/ColorManager.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace img {

namespace {

constexpr double kDisplayGamma = 2.2;

// round((i / max) ^ exponent * max), halves to even like the rounding of the rest of the engine.
uint8_t GammaSample(unsigned i, unsigned max, double exponent) {
  return uint8_t(std::nearbyint(std::pow(double(i) / max, exponent) * max));
}

void SwapRedBlue32(const uint8_t* raw, size_t count, uint8_t* dst) {
  static_assert(std::endian::native == std::endian::little);
  // As one 32-bit word per pixel the swap is masks and shifts, which vectorise on every x86.
  for (size_t x = 0; x < count; ++x) {
    uint32_t v;
    std::memcpy(&v, raw + 4 * x, 4);
    v = (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16);
    std::memcpy(dst + 4 * x, &v, 4);
  }
}

// Samples of `stride` bytes, `channels` colour channels then (for RGBA) alpha; high bytes only.
template <int Channels, int SampleBytes, bool Alpha>
void ReorderRGB(const uint8_t* raw, size_t count, uint8_t* dst, const uint8_t* table) {
  constexpr int kIn = (Channels + Alpha) * SampleBytes, kOut = Channels + Alpha;
  for (size_t x = 0; x < count; ++x, raw += kIn, dst += kOut) {
    dst[0] = table ? table[raw[2 * SampleBytes]] : raw[2 * SampleBytes];
    dst[1] = table ? table[raw[SampleBytes]] : raw[SampleBytes];
    dst[2] = table ? table[raw[0]] : raw[0];
    if constexpr (Alpha) dst[3] = raw[3 * SampleBytes];
  }
}

void Unpack(const uint8_t* raw, size_t count, uint8_t* dst, int bits) {
  const unsigned mask = (1u << bits) - 1, perByte = 8 / bits;
  for (size_t x = 0; x < count; ++x) {
    const unsigned shift = 8 - bits * (x % perByte + 1);
    dst[x] = uint8_t((raw[x / perByte] >> shift) & mask);
  }
}

void TakeEvery(const uint8_t* raw, size_t count, uint8_t* dst, int stride) {
  for (size_t x = 0; x < count; ++x) dst[x] = raw[x * stride];
}

}  // namespace

TColorManager::TColorManager(uint8_t colorType, uint8_t bitDepth, double fileGamma)
    : colorType_(colorType),
      bitDepth_(bitDepth),
      outputBytes_(colorType == 6   ? 4
                   : colorType == 2 ? 3
                                    : 1) {
  if (fileGamma <= 0) return;
  exponent_ = 1.0 / (fileGamma * kDisplayGamma);
  // The images of one skin share their gamma, and 256 powers cost more than decoding an icon:
  // keep the last table.
  thread_local double cachedExponent = 0;
  thread_local std::array<uint8_t, 256> cachedTable;
  if (exponent_ != cachedExponent) {
    for (unsigned i = 0; i < 256; ++i) cachedTable[i] = GammaSample(i, 255, exponent_);
    cachedExponent = exponent_;
  }
  table_ = cachedTable;
  for (unsigned i = 0; i < 256; ++i) corrected_ = corrected_ || table_[i] != i;
}

int TColorManager::IndexedBits() const noexcept {
  if (outputBytes_ != 1) return 0;
  if (bitDepth_ == 1) return 1;
  return bitDepth_ < 8 ? 4 : 8;
}

void TColorManager::ConvertRow(const uint8_t* raw, size_t count, uint8_t* dst) const {
  // Colour correction of indexed output lives in the palette, so only RGB rows use the table.
  const uint8_t* table = corrected_ ? table_.data() : nullptr;
  const bool wide = bitDepth_ == 16;
  switch (colorType_) {
    case 6:
      if (wide)
        ReorderRGB<3, 2, true>(raw, count, dst, table);
      else if (table)
        ReorderRGB<3, 1, true>(raw, count, dst, table);
      else
        SwapRedBlue32(raw, count, dst);
      return;
    case 2:
      if (wide)
        ReorderRGB<3, 2, false>(raw, count, dst, table);
      else
        ReorderRGB<3, 1, false>(raw, count, dst, table);
      return;
    case 4:
      TakeEvery(raw, count, dst, wide ? 4 : 2);
      return;
    default:  // grey and palette indices
      if (wide)
        TakeEvery(raw, count, dst, 2);
      else if (bitDepth_ == 8)
        std::memcpy(dst, raw, count);
      else
        Unpack(raw, count, dst, bitDepth_);
      return;
  }
}

std::vector<TPaletteEntry> TColorManager::GreyPalette() const {
  // Samples below 8 bits are corrected on their own scale, then spread over 0 .. 255.
  const unsigned max = bitDepth_ < 8 ? (1u << bitDepth_) - 1 : 255;
  std::vector<TPaletteEntry> palette(max + 1);
  for (unsigned i = 0; i <= max; ++i) {
    const unsigned sample = corrected_ ? GammaSample(i, max, exponent_) : i;
    const uint8_t grey = uint8_t(sample * 255 / max);
    palette[i] = {grey, grey, grey};
  }
  return palette;
}

TPaletteEntry TColorManager::Correct(TPaletteEntry colour) const noexcept {
  if (!corrected_) return colour;
  return {table_[colour.R], table_[colour.G], table_[colour.B]};
}

}  // namespace img
