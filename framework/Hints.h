// Hints: the tooltip shown while the mouse rests on a control that has ShowHint and a Hint.
// One tooltip window serves the whole program.
#pragma once

#include <windows.h>

namespace fw {

class TControl;

// Shows the control's hint after the hint pause, when it has one to show.
void ActivateHint(TControl* control);
// Hides the hint when it belongs to that control (or to any control, for null).
void CancelHint(TControl* control);
// How long the mouse rests before the hint shows, in milliseconds (0 shows it at once).
void SetHintPause(int milliseconds);
// The tooltip window, made on first use.
HWND HintWindow();

}  // namespace fw
