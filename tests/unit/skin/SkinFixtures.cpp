#include "SkinFixtures.h"

#include <zlib.h>

namespace skin_fixtures {
namespace {

void Le(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
}

void Be(std::string& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<char>(v >> (8 * i)));
}

void Chunk(std::string& png, const char* type, const std::string& data) {
  Be(png, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  png += body;
  Be(png, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                      static_cast<uInt>(body.size()))));
}

}  // namespace

Pixels Solid(int width, int height, uint32_t rgb) {
  return {width, height, std::vector<uint32_t>(size_t(width) * size_t(height), rgb)};
}

std::string Bmp24(const Pixels& p) {
  size_t stride = (size_t(p.width) * 3 + 3) & ~size_t(3);
  std::string out = "BM";
  Le(out, static_cast<uint32_t>(54 + stride * size_t(p.height)), 4);
  Le(out, 0, 4);
  Le(out, 54, 4);
  Le(out, 40, 4);
  Le(out, static_cast<uint32_t>(p.width), 4);
  Le(out, static_cast<uint32_t>(p.height), 4);
  Le(out, 1, 2);
  Le(out, 24, 2);
  for (int i = 0; i < 6; ++i) Le(out, 0, 4);
  for (int y = p.height - 1; y >= 0; --y) {
    size_t start = out.size();
    for (int x = 0; x < p.width; ++x) {
      uint32_t c = p.rgb[size_t(y) * size_t(p.width) + size_t(x)];
      out.push_back(static_cast<char>(c));
      out.push_back(static_cast<char>(c >> 8));
      out.push_back(static_cast<char>(c >> 16));
    }
    out.append(stride - (out.size() - start), '\0');
  }
  return out;
}

std::string PngRgba(const Pixels& p, const std::vector<uint8_t>& alpha) {
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  Be(header, static_cast<uint32_t>(p.width));
  Be(header, static_cast<uint32_t>(p.height));
  header += std::string("\x08\x06\x00\x00\x00", 5);
  Chunk(png, "IHDR", header);
  std::string raw;
  for (int y = 0; y < p.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < p.width; ++x) {
      size_t i = size_t(y) * size_t(p.width) + size_t(x);
      uint32_t c = p.rgb[i];
      raw.push_back(static_cast<char>(c >> 16));
      raw.push_back(static_cast<char>(c >> 8));
      raw.push_back(static_cast<char>(c));
      raw.push_back(static_cast<char>(alpha.empty() ? 255 : alpha[i]));
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size,
           reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()));
  packed.resize(size);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", "");
  return png;
}

}  // namespace skin_fixtures
