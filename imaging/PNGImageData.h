// Inflating, unfiltering and de-interlacing the IDAT data of a PNG file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "imaging/ColorManager.h"
#include "imaging/LZ77Decoder.h"

namespace img {

struct PNGImageLayout {
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t colorType = 0;
  uint8_t bitDepth = 0;  // a combination PNG allows for colorType
  bool interlaced = false;
};

// Bytes of filtered image data (filter bytes included) the layout needs, over all passes.
uint64_t RawImageSize(const PNGImageLayout& layout);

// Decodes the run of consecutive IDAT chunks that starts at offset pos of file into pixels,
// width * height pixels of colours.OutputBytes() bytes each, rows top-down without padding.
// Returns the offset of the first chunk after the run. Raises EInvalidGraphic for a CRC
// mismatch, corrupt or missing data, compressed data left over, or an unknown filter type.
size_t DecodeImageData(std::span<const uint8_t> file, size_t pos, const PNGImageLayout& layout,
                       const TColorManager& colours, TLZ77Decoder& inflater, uint8_t* pixels);

}  // namespace img
