// Where a glow window goes and which part of the glow picture it shows. The glow picture
// surrounds a rectangle: its borders reach beyond the rectangle by the entry's margins, less the
// inset that lies inside it. Only the part around what is visible of the rectangle is shown.
#pragma once

#include "skin/data/sSkinData.h"

struct TsGlowPlacement {
  int FullWidth = 0, FullHeight = 0;  // the whole glow picture
  int CropLeft = 0, CropTop = 0;      // where the shown part starts in it
  TRect Window;                       // the window in screen coordinates; empty: nothing shows
};

// rect: the control in screen coordinates; visible: its visible part, relative to rect; margins:
// the glow entry's left, top, right and bottom margins.
TsGlowPlacement GlowPlacement(const TRect& rect, const TRect& visible, const TRect& margins,
                              int inset);
