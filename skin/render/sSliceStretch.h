// Stretching slices of an image entry's picture onto a destination rectangle of another size.
#pragma once

#include "imaging/Bitmap32.h"
#include "imaging/Pixels32.h"
#include "skin/data/sSkinData.h"

// The block copied into a picture of at least 2 x 2 pixels, its last column and row repeated: the
// filters need two pixels along each side.
img::Pixels32 WidenedBlock(const img::PixelRows32& source, TRect block);

// Nearest-neighbour stretch of the block src onto dest, all four bytes of every pixel. The
// destination is clipped to the target; a block not wholly inside the source paints nothing.
void StretchBlock(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src);

// Stretches an image block and its mask (maskOffset rows below it) onto dest and mixes them into
// the target; maskOffset 0 is a plain StretchBlock. Nothing is painted for a destination starting
// left of or above the target, an empty one, a target not above 1 pixel in width or height, or a
// block (or its mask) not wholly inside the source.
//
// A 1 x 1 centre slice is mixed as one colour: mask red 0 fills, 255 leaves the destination,
// anything between blends. Otherwise image and mask are scaled to the destination's size, filtered
// when one side only shrinks or for the centre, nearest neighbour else, and then mixed:
// StretchMaskedOpaque as D := ((D - I) * K + I * 256) >> 8 with alpha 255; StretchMaskedAlpha by
// the mask's red byte g, raising the target's alpha to at least 255 - g.
void StretchMaskedOpaque(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
                         int maskOffset, bool centre);
void StretchMaskedAlpha(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
                        int maskOffset, bool centre);
