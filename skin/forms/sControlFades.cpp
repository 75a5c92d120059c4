#include "skin/forms/sControlFades.h"

#include <windows.h>

#include "framework/Application.h"

bool WaitForControlFades(unsigned boundMs) {
  DWORD start = GetTickCount();
  while (RunningControlFades > 0) {
    if (GetTickCount() - start >= boundMs) return false;
    // The application's own pumping: a quit posted meanwhile stays for its message loop.
    fw::Application.ProcessMessages();
    if (fw::Application.Terminated()) return false;
    Sleep(1);
  }
  return true;
}
