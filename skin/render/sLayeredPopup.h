// The layered windows that glows and the state animations show their pictures in: borderless,
// never activated, left out of the taskbar, and transparent to the mouse, which reaches whatever
// lies below.
#pragma once

#include <windows.h>

// A hidden, empty one; topmost when asked. Null when it cannot be made.
HWND CreateLayeredPopup(bool topmost);
