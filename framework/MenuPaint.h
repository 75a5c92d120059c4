// Owner-drawn menu items: the routing of the platform's measure and draw requests to an item's
// handlers (TMenu::MeasureItem, TMenu::DrawItem), and the framework's own painting for items
// without handlers.
#pragma once

#include <windows.h>

namespace fw {

class TMenuItem;

// The platform's menu font (bold for the default item), made once for the process.
HFONT MenuFont(bool bold);
void DefaultMeasureMenuItem(TMenuItem* item, HDC dc, int& width, int& height);
void DefaultDrawMenuItem(TMenuItem* item, HDC dc, const RECT& rect, UINT itemState);

}  // namespace fw
