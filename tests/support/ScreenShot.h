// What the screen shows of a window, for tests that compare it or save it as a picture file.
#pragma once

#include <windows.h>

#include "imaging/Bitmap32.h"

namespace testing_support {

// The screen's pixels under the window's rectangle, opaque: text the platform draws leaves the
// alpha at 0, while a picture file should show what the eye sees.
inline img::Bitmap32 ScreenShot(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  img::Bitmap32 shot(r.right - r.left, r.bottom - r.top);
  HDC screen = GetDC(nullptr);
  BitBlt(shot.DC(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) shot.Pixel(x, y).A = 255;
  return shot;
}

}  // namespace testing_support
