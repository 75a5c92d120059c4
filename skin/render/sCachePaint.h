// Showing a control's cached picture on the screen without painting over its children.
#pragma once

#include <windows.h>

#include "framework/Controls.h"
#include "skin/render/sCommonData.h"

// Copies the cached picture from source into dest of dc. The children of control that paint
// there themselves (visible windowless or opaque ones), moved by the offsets, are left out of
// the copy. fillCorners first fills the picture's transparent corners from the parent.
void PaintCacheToDC(fw::TWinControl& control, TsCommonData& skinData, POINT source, int offsetY,
                    int offsetX, bool fillCorners, HDC dc, RECT dest);
// The same for a window the framework does not know: its visible child windows are left out,
// a plain group box only by its frame (its caption band and border bands) so that its middle
// shows the picture.
void PaintCacheToWindowDC(HWND window, TsCommonData& skinData, POINT source, int offsetY,
                          int offsetX, bool fillCorners, HDC dc, RECT dest);
