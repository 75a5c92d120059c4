// Building small PNG files byte by byte, so tests can make well-formed and broken ones alike.
#pragma once

#include <cstdint>
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

// Offset of the first chunk of the given type in a PNG file (the chunk's length field).
size_t FindChunk(const Bytes& png, const std::string& type);

}  // namespace img::test
