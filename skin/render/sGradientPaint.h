// Painting the gradients of skin sections into 32-bit bitmaps.
#pragma once

#include <cstdint>

#include "skin/data/sGradient.h"

namespace img {
class Bitmap32;
}
struct TRect;

// Paints the gradient over the rectangle (clipped to the bitmap) with alpha 255. Mode 0 runs top
// to bottom, mode 1 left to right, each band over its share of the extent; mode 2 shades four
// triangles between the corners and the centre through the platform's gradient fill (nothing when
// there is none). An empty rectangle or gradient, or any other mode, paints nothing.
void PaintGradient(img::Bitmap32& target, const TRect& rect, const TsGradArray& gradient);

// Gradient (mode 0 or 1) and a texture tiled from the target's origin, in one pass: each channel
// := (weight * (T - G) + G * 256) >> 8 with G the gradient's and T the texture's value; the alpha
// byte := alpha. An empty textureRect means the whole texture bitmap.
void PaintGradientTextured(img::Bitmap32& target, const TRect& rect, const TsGradArray& gradient,
                           uint8_t alpha, int weight, TRect textureRect,
                           const img::Bitmap32& texture);
