// Colour arithmetic of the skin model, which it applies while it loads and the painters use as
// well: a colour as a pixel and back, mixing two colours, premultiplying alpha, and turning the
// hue and the saturation of colours and bitmaps. Colours are 0x00BBGGRR; rectangles are
// half-open and clipped to the bitmap.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"

// The rectangle limited to the bitmap; empty (all zero) when nothing of it is inside.
TRect ClipToBitmap(TRect rect, const img::Bitmap32& bitmap);
// The colour as a pixel with the given alpha.
inline img::TRGBAPixel ColorPixel(int32_t color, uint8_t alpha) {
  return {uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color), alpha};
}
// A pixel as the 32-bit value 0xAARRGGBB, and back.
inline uint32_t PixelValue(img::TRGBAPixel p) {
  return uint32_t(p.A) << 24 | uint32_t(p.R) << 16 | uint32_t(p.G) << 8 | p.B;
}
inline img::TRGBAPixel ValuePixel(uint32_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

// ratio of a plus (1 - ratio) of b in each of the three low bytes, rounded to nearest (ties to
// even); the top byte is a's.
int32_t MixColors(int32_t a, int32_t b, double ratio);

// Each colour channel multiplied by the pixel's alpha (c * a >> 8). A white pixel with alpha 0
// (0x00FFFFFF, the "empty" marker of older images) becomes 0.
void PremultiplyRect(img::Bitmap32& target, TRect rect);
void PremultiplyBitmap(img::Bitmap32& target);

// Shifts the hue of a pixel value 0x00RRGGBB by amount degrees; the top byte is kept.
uint32_t ChangeHue(int amount, uint32_t pixel);
// The same for a colour 0x00BBGGRR; amount 0 returns the colour unchanged.
int32_t ChangeHueColor(int amount, int32_t color);
// Moves the three channels away from their mean (positive amount) or towards grey (negative),
// by amount percent; amount 0 returns the value unchanged. The top byte is kept.
int32_t ChangeSaturation(int amount, int32_t value);
// Both bitmap forms leave key pixels (0x00FF00FF) and grey pixels as they are.
void ChangeBitmapHue(img::Bitmap32& bitmap, int amount);
void ChangeBitmapSaturation(img::Bitmap32& bitmap, int amount);
