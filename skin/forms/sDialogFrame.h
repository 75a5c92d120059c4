// The facts a skinned frame needs about a window the program did not make (a system dialog):
// its style bits stand in for a form's border style and border icons. Which title buttons it
// shows and which work, and what its system menu offers, follow from them.
#pragma once

#include <array>
#include <cstdint>

#include "skin/forms/sTitleLayout.h"

struct TsDialogFacts {
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  bool Minimized = false, Maximized = false;
  bool HasSysMenu = false;   // the style had the system menu before the skin took it
  bool HasCloseItem = true;  // the platform's system menu has a close command
  bool CloseEnabled = true;  // and it is not greyed
};

TsBorderKind DialogBorderKind(uint32_t style, uint32_t exStyle);
bool IsToolWindow(const TsDialogFacts& facts);

// The title buttons: close with the system menu's close command; minimise and maximise when the
// style asks for either box (the platform then shows both, the missing one disabled); help for
// the context-help style without those boxes.
TsTitleButtonRules DialogButtonRules(const TsDialogFacts& facts);

// The items of the dialog's system menu, in their order.
enum TsDialogMenuItem {
  dmRestore,
  dmMove,
  dmSize,
  dmMinimize,
  dmMaximize,
  dmClose,
  kDialogMenuItems
};
struct TsMenuItemState {
  bool Visible = false;
  bool Enabled = false;
  bool operator==(const TsMenuItemState&) const = default;
};
std::array<TsMenuItemState, kDialogMenuItems> DialogMenuItems(const TsDialogFacts& facts);
