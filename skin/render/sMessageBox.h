// The engine's message box: the skin manager reports load errors through it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Message-box buttons, one bit each.
enum TveMessageButton : unsigned {
  mbYes = 1u << 0,
  mbNo = 1u << 1,
  mbOK = 1u << 2,
  mbCancel = 1u << 3,
  mbAbort = 1u << 4,
  mbRetry = 1u << 5,
  mbIgnore = 1u << 6,
  mbHelp = 1u << 10,
};
using TveMessageButtons = unsigned;
// 0 warning, 1 error, 2 information, 3 confirmation; anything else shows no icon.
enum TveMessageKind : int { mkWarning = 0, mkError = 1, mkInformation = 2, mkConfirmation = 3 };

// The platform's style flags for the kind's icon and the buttons.
UINT MessageBoxStyle(int kind, TveMessageButtons buttons);
// Shows the box owned by the application's main window with an empty caption, the program's
// other top-level windows disabled while it is open (the ones already disabled stay so), and
// gives the focus back to the window that was active. Returns the platform's button code.
int ShowMessageBox(const std::string& text, int kind, TveMessageButtons buttons, DWORD helpContext);
// Opens the program's help at a context when the box's help button is pressed; empty: nothing.
std::function<void(DWORD context)>& MessageBoxHelp();
