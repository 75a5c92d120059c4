// Gradients of skin sections: the band array and its textual form in the options
// ("first;second;percent;mode;reserved" repeated per band).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// One band of a gradient.
struct TsGradPart {
  int32_t Color1;   // colour at the start of the band, 0x00BBGGRR
  int32_t Color2;   // colour at the end of the band
  uint8_t Percent;  // share of the painted extent, 0..100
  int32_t Mode;     // 0 vertical, 1 horizontal, 2 four corners; only the first band's counts
  bool operator==(const TsGradPart&) const = default;
};
using TsGradArray = std::vector<TsGradPart>;

// Parses the textual form into bands. Empty fields are skipped and an incomplete last group is
// ignored, so "N/A" or an empty text gives no bands. A field of a complete group that is not an
// integer throws skin::EConvertError.
void ParseGradientData(std::string_view text, TsGradArray& gradient);

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
