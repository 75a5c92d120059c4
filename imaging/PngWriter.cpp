#include "imaging/PngWriter.h"

#include <zlib.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace img {
namespace {

void PutBigEndian32(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((value >> shift) & 0xFF));
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBigEndian32(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.append(type, 4);
  out += data;
  const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + start);
  PutBigEndian32(out, uint32_t(crc32(0, bytes, uInt(out.size() - start))));
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return uint8_t(a);
  return uint8_t(pb <= pc ? b : c);
}

// Filters one row with each of the five filters and keeps the one whose bytes, read as signed,
// sum smallest: the usual heuristic, cheap and good for both flat and busy pictures.
void FilterRow(const uint8_t* row, const uint8_t* above, size_t length, std::string& out) {
  std::array<std::vector<uint8_t>, 5> candidates;
  for (auto& candidate : candidates) candidate.resize(length);
  for (size_t i = 0; i < length; ++i) {
    const int a = i >= 4 ? row[i - 4] : 0;
    const int b = above ? above[i] : 0;
    const int c = above && i >= 4 ? above[i - 4] : 0;
    candidates[0][i] = row[i];
    candidates[1][i] = uint8_t(row[i] - a);
    candidates[2][i] = uint8_t(row[i] - b);
    candidates[3][i] = uint8_t(row[i] - ((a + b) >> 1));
    candidates[4][i] = uint8_t(row[i] - Paeth(a, b, c));
  }
  size_t best = 0;
  uint64_t bestCost = UINT64_MAX;
  for (size_t f = 0; f < candidates.size(); ++f) {
    uint64_t cost = 0;
    for (uint8_t value : candidates[f]) cost += value < 128 ? value : 256 - value;
    if (cost < bestCost) best = f, bestCost = cost;
  }
  out.push_back(char(best));
  out.append(reinterpret_cast<const char*>(candidates[best].data()), length);
}

std::string Compress(const std::string& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  std::string packed(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 9) != Z_OK)
    throw std::runtime_error("PNG encoding failed: out of memory");
  packed.resize(size);
  return packed;
}

}  // namespace

std::string EncodePng(const Bitmap32& bitmap) {
  const size_t width = size_t(bitmap.Width()), height = size_t(bitmap.Height());
  const size_t length = width * 4;
  std::string raw;
  raw.reserve((length + 1) * height);
  std::vector<uint8_t> row(length), above(length);
  for (size_t y = 0; y < height; ++y) {
    const TRGBAPixel* pixels = bitmap.Row(int(y));
    for (size_t x = 0; x < width; ++x) {
      row[x * 4] = pixels[x].R;
      row[x * 4 + 1] = pixels[x].G;
      row[x * 4 + 2] = pixels[x].B;
      row[x * 4 + 3] = pixels[x].A;
    }
    FilterRow(row.data(), y ? above.data() : nullptr, length, raw);
    row.swap(above);
  }

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutBigEndian32(header, uint32_t(width));
  PutBigEndian32(header, uint32_t(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", Compress(raw));
  PutChunk(png, "IEND", {});
  return png;
}

void SavePng(const std::string& path, const Bitmap32& bitmap) {
  const std::string bytes = EncodePng(bitmap);
  const std::string partial = path + ".part";
  FILE* file = std::fopen(partial.c_str(), "wb");
  if (!file) throw std::runtime_error("Cannot write \"" + path + "\": " + std::strerror(errno));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    const int error = errno;
    std::remove(partial.c_str());
    throw std::runtime_error("Cannot write \"" + path + "\": " + std::strerror(error));
  }
  // Windows does not rename over an existing file; elsewhere the first rename replaces it.
  if (std::rename(partial.c_str(), path.c_str()) != 0 &&
      (std::remove(path.c_str()), std::rename(partial.c_str(), path.c_str()) != 0)) {
    const int error = errno;
    std::remove(partial.c_str());
    throw std::runtime_error("Cannot write \"" + path + "\": " + std::strerror(error));
  }
}

}  // namespace img
