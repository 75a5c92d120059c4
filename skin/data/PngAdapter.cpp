#include "skin/data/PngAdapter.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "imaging/PNGChunks.h"
#include "imaging/vePNG.h"

namespace {

// The decoder's limit on a picture's pixels.
constexpr uint64_t kMaxPixels = uint64_t(1) << 26;

// The bit depths each colour type allows.
bool ValidDepth(uint8_t colorType, uint8_t depth) {
  switch (colorType) {
    case 0:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
      return depth == 8 || depth == 16;
    default:
      return false;
  }
}

// Whether the chunks from pos on reach IEND within the file, hold image data, name no critical
// chunk the decoder does not know, and carry the checksums the decoder checks. A file cut short
// or garbled in transfer fails here, at the load, without inflating anything.
bool ChunksAreWhole(std::span<const uint8_t> file, size_t pos) {
  using img::ChunkType;
  bool hasData = false;
  for (std::optional<img::PNGChunk> c; (c = img::ReadChunk(file, pos)); pos = c->next) {
    const uint32_t type = c->type;
    if (type == ChunkType("IEND")) return hasData;
    const bool read = type == ChunkType("IDAT") || type == ChunkType("PLTE") ||
                      type == ChunkType("gAMA") || type == ChunkType("bKGD") ||
                      type == ChunkType("tRNS");
    if (!read && img::IsCritical(type)) return false;
    if (read && !c->CrcMatches()) return false;
    hasData = hasData || type == ChunkType("IDAT");
  }
  return false;
}

}  // namespace

std::optional<img::Picture> DecodePng(std::string_view bytes) {
  // An image that fails to decode, or is too large to hold, is left out of the skin like a
  // missing file.
  try {
    img::TPNGGraphic png;
    png.LoadFromMemory({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    return png.Image();
  } catch (const img::EGraphicError&) {
  } catch (const std::length_error&) {
  } catch (const std::bad_alloc&) {
  }
  return std::nullopt;
}

std::optional<std::pair<int, int>> PngSize(std::string_view bytes) {
  std::span<const uint8_t> file(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  if (file.size() < 8 || std::memcmp(file.data(), img::kPNGSignature, 8) != 0) return std::nullopt;
  std::optional<img::PNGChunk> ihdr = img::ReadChunk(file, 8);
  if (!ihdr || ihdr->type != img::ChunkType("IHDR") || ihdr->data.size() != 13 ||
      !ihdr->CrcMatches())
    return std::nullopt;
  const uint8_t* d = ihdr->data.data();
  const uint32_t width = img::ReadBigEndian32(d), height = img::ReadBigEndian32(d + 4);
  const uint64_t pixels = uint64_t(width) * height;
  if (pixels == 0 || pixels > kMaxPixels) return std::nullopt;
  if (!ValidDepth(d[9], d[8]) || d[10] != 0 || d[11] != 0 || d[12] > 1) return std::nullopt;
  if (!ChunksAreWhole(file, ihdr->next)) return std::nullopt;
  return std::pair{int(width), int(height)};
}
