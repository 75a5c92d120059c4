// The small window-command pictures of the system menu (restore, move, size, minimise, maximise,
// close), drawn as lines because a symbol font is not on every system.
#pragma once

#include <windows.h>

// The command's picture centred in r, in color, its size and lines at dpi.
void PaintCommandSymbol(HDC dc, WPARAM command, RECT r, COLORREF color, int dpi);
