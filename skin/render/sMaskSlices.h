// Painting image entries: a border image cut into nine slices and laid around a rectangle of any
// size, and single state frames (check marks, arrows, title-bar buttons) at a point.
//
// An entry's picture is its own Image, else its owner's MasterImage; an entry without an owner
// paints nothing. A state picks one of the entry's frames side by side (states beyond the last
// frame use the last). Invalid input paints nothing; nothing here throws.
#pragma once

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"
#include "skin/render/sBgSource.h"

class TsRegion;

// Nine-slice painting for targets whose alpha is ignored or opaque. Key pixels of the corners
// show bg when fillCorners is set and the entry's corners are transparent.
void PaintMaskSlices(img::Bitmap32& target, TRect rect, const TsMaskData& entry, int state,
                     const TsBgSource& bg, bool fillCorners);
// The same for targets whose alpha matters (glows, layered windows): masks raise the alpha.
void PaintMaskSlicesAlpha(img::Bitmap32& target, TRect rect, const TsMaskData& entry, int state,
                          const TsBgSource& bg);
// Paints the entry over the whole target and removes the key-colour runs of its four corners from
// region (may be null), so that shaped windows leave them out.
void PaintMaskSlicesRegion(img::Bitmap32& target, TsRegion* region, int state,
                           const TsMaskData& entry);
// One state frame with its top-left corner at point; mode 1 normal, any other mode dimmed.
void PaintStateGlyph(img::Bitmap32& target, TPoint point, int state, const TsBgSource& bg,
                     const TsMaskData& entry, int mode);
