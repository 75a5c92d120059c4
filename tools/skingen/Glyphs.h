// The vector glyphs of our skins, as shapes centred on (cx, cy) with a half-size s and a stroke
// width w: title-bar buttons, check marks, radio dots, arrows and grips.
#pragma once

#include "tools/skingen/Canvas.h"

namespace skingen {

enum class Direction { Up, Down, Left, Right };

Shape CloseGlyph(float cx, float cy, float s, float w);
Shape MaximiseGlyph(float cx, float cy, float s, float w);
Shape RestoreGlyph(float cx, float cy, float s, float w);
Shape MinimiseGlyph(float cx, float cy, float s, float w);
Shape HelpGlyph(float cx, float cy, float s, float w);
Shape CheckGlyph(float cx, float cy, float s, float w);
Shape DashGlyph(float cx, float cy, float s, float w);
Shape DotGlyph(float cx, float cy, float s);
Shape ChevronGlyph(float cx, float cy, float s, float w, Direction d);
Shape TriangleGlyph(float cx, float cy, float s, Direction d);
// Three rows of dots falling to the bottom right, as in a window's size grip.
Shape SizeGripGlyph(float cx, float cy, float s);
// Parallel short bars across a slider or splitter; vertical bars when vertical is set.
Shape GripBarsGlyph(float cx, float cy, float s, float w, bool vertical);

}  // namespace skingen
