// Owner-drawn menu items: the routing of the platform's measure and draw requests to an item's
// handlers (TMenu::MeasureItem, TMenu::DrawItem), and the framework's own painting for items
// without handlers.
#pragma once

#include <windows.h>

namespace fw {

class TMenuItem;

// The platform's menu font (bold for the default item) at a display scale, made once per scale;
// 0 is the system's scale.
HFONT MenuFont(bool bold, int dpi = 0);
// The item's size and picture at the scale of the window the context paints, the system's for a
// memory context.
void DefaultMeasureMenuItem(TMenuItem* item, HDC dc, int& width, int& height);
void DefaultDrawMenuItem(TMenuItem* item, HDC dc, const RECT& rect, UINT itemState);

}  // namespace fw
