// A whole skin element painted for a control: its section's background (or the control's own
// colour), corner images and border, then the control's hue and saturation changes.
#pragma once

#include "imaging/Bitmap32.h"
#include "skin/render/sBgSource.h"
#include "skin/render/sCommonData.h"

// Paints the background of the control's section in state into rect of target over bg (origin is
// where target sits in the picture bg describes), with the control's own texture entries
// (PatternIndex, HotPatternIndex). A custom-coloured control paints its host's colour instead.
void PaintControlBg(const TsCommonData& skinData, const TsBgSource& bg, int state,
                    img::Bitmap32& target, TPoint origin, TRect rect);

// Paints the control's section into rect of target over bg: its background (PaintControlBg), its
// corner images and its border. fillCorners lets the border's transparent corners show bg. A
// control whose border is not drawn in this state and whose section lets its parent show through is
// left at that; otherwise the control's HUEOffset and Saturation are applied to the whole target.
// Nothing is painted for an unskinned control or a rectangle that is empty or not inside the
// target.
void PaintControlSection(const TsCommonData& skinData, const TsBgSource& bg, bool fillCorners,
                         img::Bitmap32& target, TPoint origin, TRect rect, int state);
