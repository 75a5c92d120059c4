// The numbers of the host notifications a control's skin state reacts to, kept in one place.
// They are the platform's messages for now; where the framework sends notifications of its own
// (mouse entering and leaving, enabled, visible and showing changes), their numbers go here.
#pragma once

#include <windows.h>

struct TsHostNotifications {
  UINT MouseEnter;
  UINT MouseLeave;
  UINT EnabledChanged;
  UINT VisibleChanged;  // wParam: nonzero when the control became visible
  UINT ShowingChanged;
  // The platform has no "mouse entered" message: the first mouse move while the control is not
  // hovered stands for it, and the window then asks to be told when the mouse leaves.
  bool EnterFromMouseMove;
};

inline constexpr TsHostNotifications kHostNotifications{WM_MOUSEMOVE,  WM_MOUSELEAVE, WM_ENABLE,
                                                        WM_SHOWWINDOW, WM_SHOWWINDOW, true};
