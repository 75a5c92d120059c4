// Tiling a slice of an image entry's picture over a rectangle: the edges and centre of a nine-slice
// element that are not stretched.
#pragma once

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"

// How tiles are mixed into the target.
enum class TTileMix {
  Plain,         // all four bytes, key pixels included (CopyBlock)
  MaskedOpaque,  // through the mask, key pixels skipped (CopyMaskedOpaque without a background)
  MaskedAlpha,   // through the mask, key pixels made clear (CopyMaskedAlpha without a background)
};

// Covers dest with copies of the block src laid side by side from dest's top-left corner: whole
// tiles while they end before dest's right (bottom) edge, then one tile cut at that edge. Each
// tile is clipped and mixed as the block copy of its kind would do it; the mask lies maskOffset
// rows below the picture. An empty block paints nothing.
void TileBlock(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
               int maskOffset, TTileMix mix);
