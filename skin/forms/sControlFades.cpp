#include "skin/forms/sControlFades.h"

#include <windows.h>

bool WaitForControlFades(unsigned boundMs) {
  DWORD start = GetTickCount();
  while (RunningControlFades > 0) {
    if (GetTickCount() - start >= boundMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(1);
  }
  return true;
}
