// Decoding a PNG file held in memory into a Picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "imaging/Picture.h"

namespace img {

// What the last loaded file's IHDR, gAMA and bKGD chunks said.
struct TPNGHeader {
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint8_t BitDepth = 0;
  uint8_t ColorType = 0;
  uint8_t Compression = 0;
  uint8_t Filter = 0;
  uint8_t Interlace = 0;
  double FileGamma = 1.0;  // gAMA / 100000; 1 when the file has none
  bool HasAlpha = false;   // colour types 4 and 6
  // bKGD: a colour 0x00BBGGRR, or for palette images the palette index; white when the file has
  // none.
  uint32_t BackgroundColor = 0xFFFFFF;
};

// Decodes the PNG file at the start of file into picture and header and returns the number of
// bytes it took (through IEND). Raises EInvalidGraphic, EColorConversionError or
// EGraphicCompression with the user's message (std::bad_alloc when memory runs out); picture and
// header are only written on success.
size_t DecodePNG(std::span<const uint8_t> file, Picture& picture, TPNGHeader& header);

}  // namespace img
