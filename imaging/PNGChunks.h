// Walking the chunks of a PNG file held in memory. Lengths come from the file and are never
// trusted: a chunk that claims more bytes than the input holds is reported as missing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace img {

// The 8 bytes every PNG file starts with.
inline constexpr uint8_t kPNGSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A chunk type as the big-endian number of its four letters.
constexpr uint32_t ChunkType(const char (&name)[5]) {
  return uint32_t(uint8_t(name[0])) << 24 | uint32_t(uint8_t(name[1])) << 16 |
         uint32_t(uint8_t(name[2])) << 8 | uint32_t(uint8_t(name[3]));
}

// Critical chunks have an upper-case first letter (bit 5 of the first byte clear).
constexpr bool IsCritical(uint32_t type) {
  return (type & 0x20000000u) == 0;
}

struct PNGChunk {
  uint32_t type = 0;
  std::span<const uint8_t> data;
  uint32_t storedCrc = 0;
  size_t next = 0;  // offset of the chunk that follows

  // Whether the stored CRC matches the CRC-32 of the type and data.
  bool CrcMatches() const;
};

uint32_t ReadBigEndian32(const uint8_t* p);

// The chunk starting at offset pos of file, or nothing when the file ends inside it or its
// length exceeds the 2^31 - 1 that PNG allows.
std::optional<PNGChunk> ReadChunk(std::span<const uint8_t> file, size_t pos);

}  // namespace img
