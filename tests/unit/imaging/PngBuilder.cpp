#include "PngBuilder.h"

#include <zlib.h>

#include <stdexcept>

namespace img::test {

Bytes BigEndian32(uint32_t v) {
  return {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
}

Bytes Chunk(const std::string& type, const Bytes& data) {
  Bytes out = BigEndian32(uint32_t(data.size()));
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type.data()), 4);
  if (!data.empty()) crc = crc32(crc, data.data(), uInt(data.size()));
  const Bytes crcBytes = BigEndian32(uint32_t(crc));
  out.insert(out.end(), crcBytes.begin(), crcBytes.end());
  return out;
}

Bytes Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colorType, uint8_t interlace,
           uint8_t compression) {
  Bytes data = BigEndian32(width);
  const Bytes h = BigEndian32(height);
  data.insert(data.end(), h.begin(), h.end());
  data.insert(data.end(), {depth, colorType, compression, 0, interlace});
  return Chunk("IHDR", data);
}

Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  Bytes out(size);
  if (compress(out.data(), &size, raw.data(), uLong(raw.size())) != Z_OK)
    throw std::runtime_error("compress failed");
  out.resize(size);
  return out;
}

Bytes PngFile::Build() const {
  const Bytes idat = Chunk("IDAT", Compress(rows));
  const Bytes iend = Chunk("IEND", {});
  std::vector<const Bytes*> parts = {&ihdr};
  for (const Bytes& c : beforeData) parts.push_back(&c);
  parts.push_back(&idat);
  parts.push_back(&iend);
  size_t size = 8;
  for (const Bytes* p : parts) size += p->size();
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.reserve(size);
  for (const Bytes* p : parts) out.insert(out.end(), p->begin(), p->end());
  return out;
}

size_t FindChunk(const Bytes& png, const std::string& type) {
  for (size_t pos = 8; pos + 8 <= png.size();) {
    const uint32_t length = uint32_t(png[pos]) << 24 | uint32_t(png[pos + 1]) << 16 |
                            uint32_t(png[pos + 2]) << 8 | png[pos + 3];
    if (std::string(png.begin() + pos + 4, png.begin() + pos + 8) == type) return pos;
    pos += 12 + size_t(length);
  }
  throw std::runtime_error("chunk not found: " + type);
}

}  // namespace img::test
