// The background of a skin section in one state: its colour, gradient and texture layers, and
// how much of the parent's background shows through it.
#pragma once

#include <cstdint>
#include <string_view>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sBgSource.h"

// Paints the background of state (0 normal, 1 hot; higher states use the hot look) of a section
// into rect of target, over what bg says lies behind it. origin is where target sits in the
// picture bg describes. customColor other than kKeyColor replaces the section's look with that
// opaque colour. patternIndex and hotPatternIndex name the control's own texture entries, -1 none;
// without one the state's texture, the section's PATTERN entry or its PATTERN picture is used. In
// the normal state a masked entry of fill mode fmTileFull named by patternIndex (else
// hotPatternIndex) is laid over the finished background.
// Nothing is painted without a model, for an invalid section or for a rectangle that is empty or
// not inside the target.
void PaintSectionBg(const TsSkinModel* model, int sectionIndex, std::string_view sectionName,
                    const TsBgSource& bg, int32_t customColor, int patternIndex,
                    int hotPatternIndex, img::Bitmap32& target, TPoint origin, TRect rect,
                    int state);

// The same layers for a bitmap whose alpha matters (layered windows): a section 100 %
// transparent clears a bitmap it covers wholly to alpha 0, and the others carry their opacity
// (100 - transparency percent) in the alpha of what they paint. The state's own texture entry is
// used; customColor other than kKeyColor paints that colour opaque.
void PaintSectionBgAlpha(const TsSkinModel* model, int sectionIndex, int state, TRect rect,
                         int32_t customColor, img::Bitmap32& target);

// The background from the section's own normal (state 0) or hot (any other state) values rather
// than its per-state look: colour, gradient, texture and transparency over bg, with the weights
// of the parent taken as transparency * 255 div 100. The texture is the entry patternIndex (normal)
// or hotPatternIndex (hot) names, if any; it is not mixed with the gradient in one pass.
void PaintSectionBgFlat(const TsSkinModel* model, int sectionIndex, const TsBgSource& bg,
                        img::Bitmap32& target, TPoint origin, TRect rect, int state,
                        int patternIndex = -1, int hotPatternIndex = -1);
