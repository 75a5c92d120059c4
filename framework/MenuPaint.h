// The framework's own painting of owner-drawn menu items, for items without drawing handlers.
#pragma once

#include <windows.h>

namespace fw {

class TMenuItem;

// The platform's menu font (bold for the default item), made once for the process.
HFONT MenuFont(bool bold);
void DefaultMeasureMenuItem(TMenuItem* item, HDC dc, int& width, int& height);
void DefaultDrawMenuItem(TMenuItem* item, HDC dc, const RECT& rect, UINT itemState);

}  // namespace fw
