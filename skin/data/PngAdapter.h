// PNG images of a skin, decoded by the imaging library's decoder.
#pragma once

#include <optional>
#include <string_view>
#include <utility>

#include "imaging/Picture.h"

// The decoded picture, or nothing when the bytes are not a PNG image the decoder accepts.
std::optional<img::Picture> DecodePng(std::string_view bytes);

// Width and height from the header chunk, or nothing when what can be seen without inflating the
// image data makes the decoder refuse the file: no signature, no sound header chunk first, a size
// of no pixels or beyond the decoder's limit, a colour type, bit depth or method the format does
// not have, a chunk cut short, a wrong checksum, an unknown critical chunk, no image data.
std::optional<std::pair<int, int>> PngSize(std::string_view bytes);
