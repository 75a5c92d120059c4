// Windows bitmap files (".BMP" members and files of a skin), decoded into one of the picture
// forms: indexed for 1, 4 and 8 bits per pixel, 24-bit for 16 and 24 bits, 32-bit for 32 bits.
#pragma once

#include <optional>
#include <string_view>
#include <utility>

#include "imaging/Picture.h"

// The decoded picture, or nothing when the bytes are not an uncompressed bitmap this reader
// understands or do not hold the pixels their header promises.
std::optional<img::Picture> DecodeBmp(std::string_view bytes);

// Width and height from the header, or nothing for a header DecodeBmp refuses or a file too short
// for the pixels the header promises.
std::optional<std::pair<int, int>> BmpSize(std::string_view bytes);
