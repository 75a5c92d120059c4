// What the tests of skinned forms share: letting the form's messages run, and reading the screen.
#pragma once

#include <windows.h>

#include "framework/Application.h"
#include "imaging/Bitmap32.h"

// Runs the queued messages a few times over, so that posted work and paints are done.
inline void Pump() {
  for (int i = 0; i < 5; ++i) {
    fw::Application.ProcessMessages();
    Sleep(10);
  }
}

// The display reports a cursor move late: its moves are let in until the cursor is there.
inline void PutCursor(POINT to) {
  SetCursorPos(to.x, to.y);
  POINT at{};
  for (int i = 0; i < 20 && (at.x != to.x || at.y != to.y); ++i) {
    Pump();
    GetCursorPos(&at);
  }
  Pump();
}

// What the screen shows at a point of the window (window coordinates).
inline COLORREF ScreenColor(HWND wnd, int x, int y) {
  HDC dc = GetWindowDC(wnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return c;
}

// What the window's own device context shows, frame included.
inline img::Bitmap32 WindowShot(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  img::Bitmap32 pixels(r.right - r.left, r.bottom - r.top);
  HDC dc = GetWindowDC(wnd);
  BitBlt(pixels.DC(), 0, 0, pixels.Width(), pixels.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  GdiFlush();
  return pixels;
}
