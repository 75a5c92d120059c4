// PNG images of a skin, decoded by the imaging library's decoder.
#pragma once

#include <optional>
#include <string_view>

#include "imaging/Picture.h"

// The decoded picture, or nothing when the bytes are not a PNG image the decoder accepts.
std::optional<img::Picture> DecodePng(std::string_view bytes);
