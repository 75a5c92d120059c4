// Pixel primitives on 32-bit bitmaps and colours. Rectangles are half-open and clipped to the
// bitmap; colours are 0x00BBGGRR and are written into pixels with red and blue exchanged.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "imaging/Picture.h"
#include "skin/data/sColorMath.h"
#include "skin/data/sSkinData.h"

// "No key" where a key colour is optional.
inline constexpr uint32_t kNoKey = 0x1FFFFFFF;

// count pixels from out := value, written as whole 32-bit words (a plain loop over the four-byte
// pixel would store byte by byte).
void FillPixels(img::TRGBAPixel* out, size_t count, img::TRGBAPixel value);
// out[i] := out[i - period] for period <= i < count: the first period pixels repeated, by copies
// that double in length. Nothing when period is 0.
void RepeatPixels(img::TRGBAPixel* out, size_t period, size_t count);
// Every pixel of the rectangle := the colour with the given alpha.
void FillRectAlpha(img::Bitmap32& target, TRect rect, int32_t color, uint8_t alpha);
// Four opaque bands of the given widths inside the rectangle.
void FillFrameAlpha(img::Bitmap32& target, TRect rect, int left, int top, int right, int bottom,
                    int32_t color);
// Keeps percent of each pixel and takes the rest from the colour (system colours resolved);
// alpha untouched.
void BlendRectWithColor(img::Bitmap32& target, TRect rect, int percent, int32_t color);
// Moves each pixel percent of the way to the colour and sets its alpha.
void TintRect(img::Bitmap32& target, TRect rect, int32_t color, uint8_t alpha, int percent);
// Sets the alpha of every pixel of the rectangle, or only of pixels whose value is not key.
void SetRectAlpha(img::Bitmap32& target, TRect rect, uint8_t alpha, uint32_t key = kNoKey);

// The weighted blends: each colour channel := (w * (D - S) + S * 256) >> 8, w being the weight of
// D; alpha is left as it was in the bitmap written to.
//
// BlendBitmaps lays sourceRect of source at (x, y) of target, clipped to both bitmaps.
void BlendBitmaps(img::Bitmap32& target, const img::Bitmap32& source, int w, int x, int y,
                  TRect sourceRect);
// Whole bitmaps of equal size (else nothing).
void BlendUniform(img::Bitmap32& target, const img::Bitmap32& source, int w);
// result := first weighted w against second; all three of equal size (else nothing).
void CrossFade(img::Bitmap32& result, const img::Bitmap32& first, const img::Bitmap32& second,
               int w);
// The same with a per-channel weight taken from the weights bitmap's same channel.
void CrossFade(img::Bitmap32& result, const img::Bitmap32& first, const img::Bitmap32& second,
               const img::Bitmap32& weights);

// Every pixel of the inclusive sourceRect whose colour is not key is laid over target at (x, y)
// + its offset: channel := R(S - (S - D) * ratio), ratio being the target's weight.
void BlendBitmapKeyed(img::Bitmap32& target, int x, int y, int32_t key, double ratio,
                      TRect sourceRect, const img::Bitmap32& source);
// Every pixel other than 0x00FF00FF := R(ratio * (D - Q) + Q), Q the colour's channel.
void BlendKeyedToColor(img::Bitmap32& target, int32_t color, double ratio);
// channel := (Q * 256 + (D - Q) * M) >> 8 with M the mask's same channel; same-sized bitmaps.
void TintByMask(img::Bitmap32& target, const img::Bitmap32& mask, int32_t color);

// Lays source at (x, y), clipped to both; pixels other than key (a colour, compared with the
// pixel's red and blue exchanged) are copied with alpha 255.
void CopyNonKey(img::Bitmap32& target, const img::Bitmap32& source, int x, int y, int32_t key);

// Copies byte channel (0 blue .. 3 alpha) of every 32-bit pixel into the one-byte picture
// (toEight), or that picture's bytes back into the channel. Pictures of different sizes, or a
// channel outside 0..3, copy nothing.
void CopyChannel(img::Bitmap32& bitmap32, img::IndexedBitmap& bitmap8, int channel, bool toEight);

// The pixel value 0xAARRGGBB at (x, y); 0 outside the bitmap.
uint32_t GetPixel32(const img::Bitmap32& bitmap, int x, int y);
// Writes a pixel value; nothing outside the bitmap.
void SetPixel32(img::Bitmap32& bitmap, int x, int y, uint32_t value);
