// The picture of one skinned scroll bar: the two track halves split under the thumb's middle, the
// arrow buttons with their glyphs, and the thumb, from the skin's scroll sections. The adapter
// gathers the inputs from its window and copies the picture to the screen.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/controls/sScrollGeometry.h"
#include "skin/data/sSkinModel.h"

struct TsBarPaint {
  bool Vertical = false;
  TsScrollInfo Info;
  int Length = 0;        // along the bar
  int Thickness = 0;     // across it
  int ButtonLength = 0;  // the arrow buttons' length, 0 when the skin hides them
  // The platform's arrow size: a glyph sits centred in that many pixels at the button's outer end.
  int ArrowCell = 17;
  int MinThumb = kMinThumb;
  bool Enabled = true;
  int Pressed = kScrollNone;  // the held arrow or track half
  int Hot = kScrollNone;      // the element under the mouse; a disabled bar shows none
  int ThumbStart = -1;        // a dragged thumb's start along the bar, -1 when none is dragged
  int32_t BgColor = 0;        // 0x00BBGGRR, behind the skin's see-through parts
};

// Paints the bar into image, which takes the bar's size. Answers false, painting nothing, when the
// skin has no track for the bar or the bar has no room.
bool PaintScrollBar(const TsSkinModel& skin, const TsBarPaint& bar, img::Bitmap32& image);

// The square between a window's two bars, in image (its size): what lies behind it (the
// parent's picture when bg holds one, else its colour) and, when it sizes the parent, the skin's
// size grip in its bottom-right corner.
void PaintScrollCorner(const TsSkinModel& skin, const TsBgSource& bg, bool grip,
                       img::Bitmap32& image);
