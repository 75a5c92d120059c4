// Textures: an image entry, or a texture picture of the package, laid over a rectangle in one of
// the fill modes, either plainly or through the entry's mask.
//
// Both painters take the rectangle by reference and leave in it the part they did not cover, for
// the caller to fill with the section's colour; kAllCovered means nothing is left. A painter that
// cannot paint at all (no picture, an empty tile, a mode it does not know) leaves the rectangle
// as it was: all of it is still uncovered. Nothing here throws.
#pragma once

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"
#include "skin/render/sBgSource.h"

// Texture fill modes: an image entry's PaintFlags value read as a mode.
enum TsFillMode : int {
  fmTile = 0,         // tiles the whole rectangle
  fmStretch = 1,      // stretches the image over the rectangle
  fmTileTop = 2,      // one row of tiles at the top
  fmTileLeft = 3,     // one column of tiles at the left
  fmStretchTop = 4,   // stretched across the top at the image's own height
  fmStretchLeft = 5,  // stretched down the left at the image's own width
  fmTileBottom = 6,   // one row of tiles at the bottom
  fmTileRight = 7,    // one column of tiles at the right
  fmTileFull = 10,    // whole rows of tiles only
};

// The uncovered rectangle reported when the texture covers everything.
inline constexpr TRect kAllCovered{-1, -1, -1, -1};

// Lays the whole SrcRect of an unmasked entry (its Image, else its owner's MasterImage) over
// rect of target in fillMode; tiles start at rect's top-left corner. A non-empty pattern (a
// texture picture of the package) is tiled over all of rect instead and entry may be null.
// Modes 8, 9 and 11 to 14 paint a column at the right like fmTileRight and report that column
// as uncovered. fmTileFull covers the rows of whole tiles only and reports the band below them
// as uncovered.
void PaintPattern(img::Bitmap32& target, TRect& rect, const img::Bitmap32* pattern, int fillMode,
                  const TsMaskData* entry);

// Tiles a masked entry (its first frame; the mask is the lower half of SrcRect) over rect,
// blending each pixel with what is there by the mask. Key pixels of the picture show bg: its
// bitmap at (x + OffsetX, y + OffsetY) when it is valid and has no colour, else its colour.
// Only whole rows of tiles are laid. fmTile reports the band below them as uncovered; fmTileFull
// fills that band and the last column with bg. Other modes paint nothing.
void PaintMaskedPattern(img::Bitmap32& target, TRect& rect, const TsBgSource& bg, int fillMode,
                        const TsMaskData& entry);
