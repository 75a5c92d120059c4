// The parent's background inside a control's own picture: its transparent corners filled from
// what the parent shows, and its border painted over the parent. These are the pixel parts; the
// control-level routines ask the parent (a skin command) and pass its answer here.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"
#include "skin/render/sBgQuery.h"

// Corner bits.
enum : int {
  kCornerTopLeft = 1,
  kCornerBottomLeft = 2,
  kCornerTopRight = 4,
  kCornerBottomRight = 8,
  kAllCorners = 15,
};

// In the requested corners of cache (the picture of a control placed at host in its parent),
// every pixel under a key pixel of the border entry's frame for state takes the parent's
// background: a bitmap answer's pixel behind it (only its colour for masked entries, else the
// whole pixel with alpha 0), or a colour answer's colour with alpha 0. Entries whose corners are
// not transparent, entries without an owner, and answers with neither picture nor colour change
// nothing. An entry with its own picture and no frames is read as three frames over a mask.
void FillCornersFromParentBg(img::Bitmap32& cache, TsMaskData entry, int state, int corners,
                             TRect host, const TsBgQuery& answer);

// Paints a control's border into rect of cache (the control's picture; the control sits at
// hostPos in its parent, whose answer is given) and an extra plain frame of width extra in
// plainColor. With a border entry the border is painted over the parent's background and
// clientRect becomes what is left inside the border, or inside the extra frame, which is then
// copied to target unless target is the cache itself. Without one (border null) only the extra
// frame is filled into target and clientRect is kept.
void PaintBorderOverParentBg(img::Bitmap32& cache, img::Bitmap32& target, TRect rect, int extra,
                             TRect& clientRect, int state, const TsMaskData* border,
                             int32_t plainColor, TPoint hostPos, const TsBgQuery& answer);
