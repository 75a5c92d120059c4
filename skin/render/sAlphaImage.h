// Pictures with their own alpha (glyphs, menu images, image-list items) blended onto a control's
// picture. Rectangles are half-open; the block drawn is the smaller of the destination and source
// rectangles, clipped to the target and to the picture. Pixels are straight (not premultiplied).
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/render/sBgSource.h"

// The tint colour that means "no tint".
inline constexpr int32_t kNoTint = 0x1FFFFFFF;

// Each pixel of the block laid over the target with the picture's alpha; the target's alpha grows
// by the picture's coverage. With a valid background source, key pixels (0x00FF00FF) take the
// background's pixel at their place when keyFromBg is set, and are left alone otherwise.
void BlendAlphaImage(TRect dest, TRect source, img::Bitmap32& target, bool keyFromBg,
                     const TsBgSource& bg, const img::Bitmap32* picture);

// The fuller drawing: translucency (percent of the picture taken away), a tint colour (the
// picture's grey levels in that colour; kNoTint for none), key pixels as above, and with
// reflection a mirror image below the drawn block that fades out within half the picture's height.
void DrawAlphaImage(TRect dest, TRect source, img::Bitmap32& target, bool reflection,
                    int translucency, int32_t tint, bool keyFromBg, const TsBgSource& bg,
                    const img::Bitmap32* picture);
