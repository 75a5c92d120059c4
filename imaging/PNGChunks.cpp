#include "imaging/PNGChunks.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace img {

uint32_t ReadBigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

bool PNGChunk::CrcMatches() const {
  const uint8_t typeBytes[4] = {uint8_t(type >> 24), uint8_t(type >> 16), uint8_t(type >> 8),
                                uint8_t(type)};
  uLong crc = crc32(0, typeBytes, 4);
  for (size_t done = 0; done < data.size();) {
    const uInt step = uInt(std::min<size_t>(data.size() - done, UINT_MAX));
    crc = crc32(crc, data.data() + done, step);
    done += step;
  }
  return uint32_t(crc) == storedCrc;
}

std::optional<PNGChunk> ReadChunk(std::span<const uint8_t> file, size_t pos) {
  if (pos > file.size() || file.size() - pos < 8) return std::nullopt;
  const uint32_t length = ReadBigEndian32(file.data() + pos);
  if (length > 0x7FFFFFFFu) return std::nullopt;
  const size_t rest = file.size() - pos - 8;
  if (rest < 4 || rest - 4 < length) return std::nullopt;
  PNGChunk chunk;
  chunk.type = ReadBigEndian32(file.data() + pos + 4);
  chunk.data = file.subspan(pos + 8, length);
  chunk.storedCrc = ReadBigEndian32(file.data() + pos + 8 + length);
  chunk.next = pos + 12 + length;
  return chunk;
}

}  // namespace img
