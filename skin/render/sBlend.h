// Pixel primitives on 32-bit bitmaps and colours.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"

// Each colour channel multiplied by the pixel's alpha (c * a >> 8). A white pixel with alpha 0
// (0x00FFFFFF, the "empty" marker of older images) becomes 0.
void PremultiplyBitmap(img::Bitmap32& target);

// ratio of a plus (1 - ratio) of b in each of the three low bytes, rounded to nearest (ties to
// even); the top byte is a's.
int32_t MixColors(int32_t a, int32_t b, double ratio);
