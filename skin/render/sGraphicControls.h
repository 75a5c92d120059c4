// Painting the windowless children of a container into a device context: over the container's
// background, each child once, without flicker; leaving children out of a context's clip; and
// the bevelled frame.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Controls.h"

// Paints the container's windowless children into dc. Every child is painted into one
// off-screen picture over what the container shows behind it, then copied to dc in one piece.
// A dc whose clip box is empty paints nothing and marks the container partly visible.
void PaintGraphicControls(HDC dc, fw::TWinControl& container, bool onlyVisible);
// Leaves the bounds of the container's children that `which` picks, moved by the offsets, out
// of dc's clip region.
void ExcludeControls(HDC dc, fw::TWinControl& container, int offsetY, int offsetX,
                     const std::function<bool(fw::TControl&)>& which);
// The same for every visible windowless child.
void ExcludeGraphicControls(HDC dc, fw::TWinControl& container, int offsetY, int offsetX);
// Draws width nested one-pixel frames inside rect, each one pixel further in: left and top in
// topLeft, right and bottom in bottomRight (system colours resolved). width counts down to 0.
void PaintBevelFrame(HDC dc, RECT rect, int32_t topLeft, int& width, int32_t bottomRight);
