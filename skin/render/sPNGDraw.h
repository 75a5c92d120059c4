// Drawing a decoded PNG picture into a rectangle of a 32-bit picture: the device context's pixels,
// which the Win32 caller copies out before and back after.
#pragma once

#include "imaging/Bitmap32.h"
#include "imaging/vePNG.h"
#include "skin/data/sSkinData.h"

// Pictures without alpha are drawn opaque and stretched (nearest neighbour) to the rectangle.
// Pictures with alpha are blended; one of another size is stretched first, alpha alike. A
// Reflected picture of the rectangle's size also gets its fading mirror image in the rect.Height()
// / 2 rows below the rectangle, as far as the canvas reaches.
void DrawPNGGraphic(img::Bitmap32& canvas, TRect rect, const img::TPNGGraphic& graphic);
