// Fuzz target: PNG decoding of arbitrary bytes. Every input must either load or raise one of the
// picture errors; a loaded picture must expand to exactly its size. Each input is decoded twice:
// as it is, and with every chunk's CRC made right, so that mutations get past the CRC checks
// and reach the chunk and image data handling.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  Decode(input);
  Decode(WithCorrectCrcs(input));
  return 0;
}
