// Hue and saturation changes of colours and bitmaps, used when a skin is loaded with a hue
// offset or a saturation change.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/render/sBgSource.h"

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
// Each pixel's red, green and blue := their mean (rounded down); the NonKey form leaves pixels
// whose 32-bit value 0xAARRGGBB equals key.
void GrayscaleBitmap(img::Bitmap32& bitmap);
void GrayscaleNonKey(img::Bitmap32& bitmap, uint32_t key);

// Flags of PaintDisabled.
enum : int { kDisabledFade = 1, kDisabledGrey = 2 };
// Makes a control's picture look disabled: kDisabledGrey turns it grey first; kDisabledFade then
// fades it into what lies behind it, 60 % background: bg's bitmap seen from point (plus bg's
// offsets) where bg is valid, else bg's colour, else parentColor (the colour of the control's
// parent), half and half.
void PaintDisabled(img::Bitmap32& bitmap, int flags, TPoint point, const TsBgSource& bg,
                   int32_t parentColor);
