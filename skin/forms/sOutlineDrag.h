// Outline moving and sizing (ResizeMode rmBorder): the form stays where it is while an outline
// follows the mouse, and takes the outline's bounds when the button is released.
#pragma once

#include "skin/data/sSkinData.h"
#include "skin/render/sBgSource.h"

enum class TsResizeMode { rmStandard, rmBorder };

// The outline after the mouse moved by delta from where the drag began on the element hitCode:
// the caption moves the whole rectangle; a sizing border moves its edges, never making the
// rectangle smaller than minSize (the opposite edges stay). Other codes leave it as it was.
TRect DraggedRect(const TRect& start, int hitCode, TPoint delta, TPoint minSize);
