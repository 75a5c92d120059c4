// Building small PNG files byte by byte, so tests can make well-formed and broken ones alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace img::test {

using Bytes = std::vector<uint8_t>;

// A chunk with its length and a correct CRC.
Bytes Chunk(const std::string& type, const Bytes& data);
Bytes Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType, uint8_t interlace = 0,
           uint8_t compression = 0);
Bytes BigEndian32(uint32_t value);
// zlib-compressed data.
Bytes Compress(const Bytes& raw);

// A PNG file: signature, IHDR, the extra chunks in order, the image data in one IDAT, IEND.
// rows holds the filtered scanlines (filter byte first in each row).
struct PngFile {
  Bytes ihdr;
  std::vector<Bytes> beforeData;  // complete chunks between IHDR and IDAT
  Bytes rows;
  Bytes Build() const;
};

// The scanlines of a picture whose pixel (x, y) is pixel(x, y), bitsPerPixel bits (1 to 64) packed
// from the high bit, in the seven Adam7 passes when interlaced; the rows of each pass (or of the
// picture) filtered with the types 0 to 4 in turn, a pass starting over from type 0.
Bytes Scanlines(int width, int height, int bitsPerPixel, bool interlaced,
                const std::function<uint64_t(int x, int y)>& pixel);

// Offset of the first chunk of the given type in a PNG file (the chunk's length field).
size_t FindChunk(const Bytes& png, const std::string& type);

}  // namespace img::test
