// The rectangular shadow tint: an area pulled toward a colour, most at its inside and fading over
// nested rounded rectangles toward its edge.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"

struct TRect;

// Tints rect of the target toward color (0x00BBGGRR or a system colour index). strength (0..100,
// percent) is the share of each channel the inside keeps: 60 keeps 153/256. The depth outermost
// rings step from nearly unchanged toward that level; corners outside the rounded shape (radius
// being the corner size) take the colour itself. Only the part of rect inside the target changes;
// alpha is left as it is.
void TintRoundedShadow(img::Bitmap32& target, const TRect& rect, int strength, int radius,
                       int depth, int32_t color);
