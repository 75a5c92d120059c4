#include "skin/controls/sMenuSymbols.h"

#include "platform/Dpi.h"
#include "platform/GdiScopes.h"

void PaintCommandSymbol(HDC dc, WPARAM command, RECT r, COLORREF color, int dpi) {
  const int size = platform::ScaleToDpi(8, dpi);
  int x = r.left + (r.right - r.left - size) / 2, y = r.top + (r.bottom - r.top - size) / 2;
  platform::Owned<HPEN> pen(CreatePen(PS_SOLID, platform::ScaleToDpi(1, dpi), color));
  platform::Selection selected(dc, pen);
  auto line = [dc](int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
  };
  auto box = [&](int left, int top, int w, int h) {
    line(left, top, left + w, top);
    line(left, top + 1, left + w, top + 1);
    line(left, top, left, top + h);
    line(left + w - 1, top, left + w - 1, top + h);
    line(left, top + h - 1, left + w, top + h - 1);
  };
  switch (command & 0xFFF0) {
    case SC_MINIMIZE:
      line(x, y + size - 2, x + size, y + size - 2);
      line(x, y + size - 1, x + size, y + size - 1);
      break;
    case SC_MAXIMIZE:
      box(x, y, size + 1, size + 1);
      break;
    case SC_RESTORE:
      box(x + 2, y, size - 1, size - 2);
      box(x, y + 3, size - 1, size - 2);
      break;
    case SC_CLOSE:
      line(x, y, x + size + 1, y + size + 1);
      line(x + 1, y, x + size + 1, y + size);
      line(x + size, y, x - 1, y + size + 1);
      line(x + size - 1, y, x - 1, y + size);
      break;
    default:
      break;
  }
}
