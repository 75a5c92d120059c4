#include "PngBuilder.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
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

namespace {

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One pass: its pixels from (x0, y0) every dx and dy, packed and filtered row by row.
void AddPass(Bytes& out, int width, int height, int bitsPerPixel, int x0, int y0, int dx, int dy,
             const std::function<uint64_t(int, int)>& pixel) {
  const int columns = (width - x0 + dx - 1) / dx;
  if (columns <= 0 || y0 >= height) return;
  const size_t rowBytes = (size_t(columns) * size_t(bitsPerPixel) + 7) / 8;
  const size_t bpp = size_t(std::max(1, bitsPerPixel / 8));
  Bytes previous(rowBytes, 0);
  int filter = 0;
  for (int y = y0; y < height; y += dy, filter = (filter + 1) % 5) {
    Bytes raw(rowBytes, 0);
    for (int c = 0; c < columns; ++c) {
      const uint64_t value = pixel(x0 + c * dx, y);
      for (int bit = 0; bit < bitsPerPixel; ++bit)
        if (value >> (bitsPerPixel - 1 - bit) & 1) {
          const size_t at = size_t(c) * size_t(bitsPerPixel) + size_t(bit);
          raw[at / 8] |= uint8_t(0x80 >> (at % 8));
        }
    }
    out.push_back(uint8_t(filter));
    for (size_t i = 0; i < rowBytes; ++i) {
      const int left = i >= bpp ? raw[i - bpp] : 0, up = previous[i];
      const int upLeft = i >= bpp ? previous[i - bpp] : 0;
      const int predictor[5] = {0, left, up, (left + up) / 2, Paeth(left, up, upLeft)};
      out.push_back(uint8_t(raw[i] - predictor[filter]));
    }
    previous = raw;
  }
}

}  // namespace

Bytes Scanlines(int width, int height, int bitsPerPixel, bool interlaced,
                const std::function<uint64_t(int, int)>& pixel) {
  Bytes out;
  if (!interlaced) {
    AddPass(out, width, height, bitsPerPixel, 0, 0, 1, 1, pixel);
    return out;
  }
  constexpr int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                 {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  for (const auto& p : kPasses)
    AddPass(out, width, height, bitsPerPixel, p[0], p[1], p[2], p[3], pixel);
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
