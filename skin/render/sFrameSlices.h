// Plain nine-slice copies for the frame and shadow pictures of border windows: all four bytes
// are copied as they are (no key colour, no blending), and the corners may be cut to an L shape
// so that a shadow's corner does not cover more of the window than it must.
#pragma once

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"

// Lays sourceRect of source around dest of target. margins are the slice widths (left, top,
// right, bottom); limits cut each corner's depth on its side to an L shape. Edge modes (left,
// top, right, bottom) and centreMode: 0 tiles, 1 stretches (nearest neighbour), other values
// draw nothing. The centre is drawn only with paintCentre.
void PaintFrameSlices(img::Bitmap32& target, const img::Bitmap32& source, TRect dest,
                      bool paintCentre, int centreMode, TRect edgeModes, TRect limits,
                      TRect margins, TRect sourceRect);
