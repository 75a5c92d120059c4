// Grey and disabled looks of bitmaps; the hue and saturation changes of colours and bitmaps,
// which the skin model applies as it loads, are the data layer's (sColorMath).
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/data/sColorMath.h"
#include "skin/render/sBgSource.h"

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
