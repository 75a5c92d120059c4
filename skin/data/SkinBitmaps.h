// Turning a skin's image files into the 32-bit bitmaps the painters use.
#pragma once

#include <optional>
#include <string_view>
#include <utility>

#include "imaging/Bitmap32.h"
#include "imaging/Picture.h"

// Decodes a skin image: a Windows bitmap when isBitmap is set, else PNG. Nothing when the bytes
// cannot be decoded.
std::optional<img::Picture> DecodeSkinImage(std::string_view bytes, bool isBitmap);

// Width and height from the file's header, or nothing when the header already makes
// DecodeSkinImage refuse it.
std::optional<std::pair<int, int>> SkinImageSize(std::string_view bytes, bool isBitmap);

// The picture as a 32-bit bitmap. A picture that was not 32-bit becomes opaque except for its
// key-coloured pixels (0xFF00FF), which become 0x00FF00FF.
img::Bitmap32 ToSkinBitmap(img::Picture&& picture);

// A PNG image after conversion: skins up to version 7.45 mark empty pixels as white with alpha 0
// and those become 0; newer skins are premultiplied.
void PreparePngBitmap(img::Bitmap32& bitmap, double skinVersion);
