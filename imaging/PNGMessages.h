// The messages PNG loading reports to the user.
#pragma once

namespace img {

inline constexpr char kPNGInvalidFormat[] =
    "Cannot load image. Invalid or unexpected PNG image format.";
inline constexpr char kPNGCompressionScheme[] =
    "Cannot load image. The compression scheme is not supported for PNG files.";
inline constexpr char kPNGInvalidPalette[] = "Cannot load image. Palette in PNG file is invalid.";
inline constexpr char kPNGCriticalChunk[] =
    "Cannot load PNG image. Unexpected but critical chunk detected.";
inline constexpr char kPNGCrcError[] = "Cannot load image. CRC error found in PNG file.";
inline constexpr char kPNGCompressionError[] =
    "Cannot load image. Compression error found in PNG file.";
inline constexpr char kPNGExtraData[] =
    "Cannot load image. Extra compressed data found in PNG file.";
inline constexpr char kPNGInvalidColorFormat[] = "Invalid color format in PNG file.";
inline constexpr char kInvalidColorDepth[] =
    "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";

}  // namespace img
