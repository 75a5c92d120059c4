// Fuzz target: PNG decoding of arbitrary bytes. Every input must either load or raise one of the
// picture errors; a loaded picture must expand to exactly its size. Each input is decoded twice:
// as it is, and with every chunk's CRC made right, so that mutations get past the CRC checks
// and reach the chunk and image data handling. The same bytes also serve as the filtered image
// data of a well-formed file whose header they pick, which drives unfiltering, sample conversion
// and de-interlacing with arbitrary rows that compressed input would rarely reach.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <span>
#include <vector>

#include "imaging/PNGChunks.h"
#include "imaging/vePNG.h"

namespace {

void Decode(std::span<const uint8_t> data) {
  img::TPNGGraphic png;
  try {
    png.LoadFromMemory(data);
  } catch (const img::EGraphicError&) {
    return;
  }
  const img::RGBAImage rgba = img::ToRGBA(png.Image());
  if (png.Empty() || rgba.bytes.size() != size_t(png.Width()) * size_t(png.Height()) * 4)
    std::abort();
}

std::vector<uint8_t> WithCorrectCrcs(std::span<const uint8_t> data) {
  std::vector<uint8_t> out(data.begin(), data.end());
  std::optional<img::PNGChunk> chunk;
  for (size_t pos = 8; (chunk = img::ReadChunk(data, pos)); pos = chunk->next) {
    const uint32_t crc = uint32_t(crc32(0, data.data() + pos + 4, uInt(chunk->data.size() + 4)));
    uint8_t* stored = out.data() + chunk->next - 4;
    stored[0] = uint8_t(crc >> 24), stored[1] = uint8_t(crc >> 16);
    stored[2] = uint8_t(crc >> 8), stored[3] = uint8_t(crc);
  }
  return out;
}

void Append(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  const uint32_t length = uint32_t(data.size());
  out.insert(out.end(),
             {uint8_t(length >> 24), uint8_t(length >> 16), uint8_t(length >> 8), uint8_t(length)});
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uint32_t crc = uint32_t(crc32(0, out.data() + start, uInt(data.size() + 4)));
  out.insert(out.end(), {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)});
}

std::vector<uint8_t> AsImageData(std::span<const uint8_t> data) {
  struct Format {
    uint8_t colorType, depth;
  };
  static constexpr Format kFormats[] = {{0, 1}, {0, 2},  {0, 4},  {0, 8}, {0, 16},
                                        {2, 8}, {2, 16}, {3, 1},  {3, 2}, {3, 4},
                                        {3, 8}, {4, 8},  {4, 16}, {6, 8}, {6, 16}};
  const Format f = kFormats[data[0] % std::size(kFormats)];
  const uint8_t width = uint8_t(1 + data[1] % 40), height = uint8_t(1 + data[2] % 40);
  const std::span<const uint8_t> rows = data.subspan(3);
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Append(out, "IHDR",
         {0, 0, 0, width, 0, 0, 0, height, f.depth, f.colorType, 0, 0, uint8_t(data[1] >> 7)});
  if (f.colorType == 3) Append(out, "PLTE", std::vector<uint8_t>(3 * (data[2] % 256 + 1), 7));
  uLongf size = compressBound(uLong(rows.size()));
  std::vector<uint8_t> z(size);
  compress2(z.data(), &size, rows.data(), uLong(rows.size()), 1);
  z.resize(size);
  Append(out, "IDAT", z);
  Append(out, "IEND", {});
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  Decode(input);
  Decode(WithCorrectCrcs(input));
  if (size >= 3) Decode(AsImageData(input));
  return 0;
}
