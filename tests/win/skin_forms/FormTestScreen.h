// What the tests of skinned forms share: letting the form's messages run, and reading the screen.
#pragma once

#include <windows.h>

#include "framework/Application.h"

// Runs the queued messages a few times over, so that posted work and paints are done.
inline void Pump() {
  for (int i = 0; i < 5; ++i) {
    fw::Application.ProcessMessages();
    Sleep(10);
  }
}

// What the screen shows at a point of the window (window coordinates).
inline COLORREF ScreenColor(HWND wnd, int x, int y) {
  HDC dc = GetWindowDC(wnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return c;
}
