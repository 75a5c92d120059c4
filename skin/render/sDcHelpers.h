// Block operations on 32-bit bitmaps that stand in for the drawing-surface calls of the painters:
// solid fills, opaque block copies, nearest-neighbour stretches and the four bands of a frame.
// Every operation is clipped against the bitmaps it touches; what falls outside is left alone.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"

// Every pixel of rect := the colour (a negative colour is a system colour index), opaque.
// Whether rect is non-empty and lies wholly inside target: painters that take a rectangle as
// given, without cutting it, paint nothing otherwise.
bool InsideTarget(const TRect& rect, const img::Bitmap32& target);

void FillRectSolid(img::Bitmap32& target, TRect rect, int32_t color);
// The four bands of the given widths inside rect, filled as FillRectSolid does.
void FillFrameSolid(img::Bitmap32& target, TRect rect, int left, int top, int right, int bottom,
                    int32_t color);

// The block copy and nearest-neighbour stretch of the slice painters (sSliceCopy.h,
// sSliceStretch.h) in the position-and-size form of the drawing-surface calls: the w x h block at
// (x, y) of target from the sw x sh block at (sx, sy) of source.
void CopyBlock(img::Bitmap32& target, int x, int y, int w, int h, const img::Bitmap32& source,
               int sx, int sy);
void StretchBlock(img::Bitmap32& target, int x, int y, int w, int h, const img::Bitmap32& source,
                  int sx, int sy, int sw, int sh);

// Fills dest with tw x th tiles read from (sx, sy) of source laid from its corner; the last column
// and the last tile of each column are cut to what remains. Empty tiles copy nothing.
void TileBlock(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, int sx, int sy,
               int tw, int th);

// Copies the frame of band width b of the w x h rectangle at (sx, sy) of source to the same
// rectangle at (x, y) of target: the left band, the top band right of it, the right band below
// the top one and the bottom band between the left and right ones. Nothing outside the
// rectangle is touched.
void CopyFrameBands(img::Bitmap32& target, int x, int y, int b, const img::Bitmap32& source, int sx,
                    int sy, int w, int h);
