#include "skin/controls/veIconWnd.h"

#include "platform/GdiScopes.h"

#include <cstdlib>

bool TveIconWnd::DrawCaption() {
  HDC dc = SkinData->CacheBitmap->DC();
  const LONG style = GetWindowLongA(Handle, GWL_STYLE);
  const bool centred = style & SS_CENTERIMAGE;
  if ((style & SS_TYPEMASK) == SS_BITMAP) {
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(Handle, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return true;
    const int h = std::abs(info.bmHeight);
    const int x = centred ? (WindowSize.cx - info.bmWidth) / 2 : 0;
    const int y = centred ? (WindowSize.cy - h) / 2 : 0;
    platform::MemoryDC source(dc);
    platform::Selection picture(source, bitmap);
    BitBlt(dc, x, y, info.bmWidth, h, source, 0, 0, SRCCOPY);
  } else if (auto icon = reinterpret_cast<HICON>(SendMessageA(Handle, STM_GETICON, 0, 0))) {
    // An icon static without SS_REALSIZEIMAGE fills its window; with it the icon keeps its size.
    int w = WindowSize.cx, h = WindowSize.cy;
    if (style & SS_REALSIZEIMAGE) w = h = 0;
    const int x = centred && w == 0 ? (WindowSize.cx - GetSystemMetrics(SM_CXICON)) / 2 : 0;
    const int y = centred && h == 0 ? (WindowSize.cy - GetSystemMetrics(SM_CYICON)) / 2 : 0;
    DrawIconEx(dc, x, y, icon, w, h, 0, nullptr, DI_NORMAL);
  }
  GdiFlush();
  return true;
}
