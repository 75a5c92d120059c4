// The system menu of a skinned system dialog. While the skin paints the dialog's frame the
// platform's system menu is hidden from the platform, so the dialog offers this one instead:
// Restore, Move, Size, Minimize, Maximize and Close, shown and enabled by the dialog's style and
// state, each sending its system command to the dialog.
#pragma once

#include <windows.h>

#include <array>

#include "framework/Menus.h"
#include "skin/forms/sDialogFrame.h"

class TveDialogWnd;

class TveSystemMenu : public fw::TPopupMenu {
 public:
  // platformMenu is the dialog's own system menu, for the captions (may be null).
  TveSystemMenu(TveDialogWnd& owner, HMENU platformMenu);
  std::string ClassName() const override { return "TveSystemMenu"; }

  // Shows and enables the items for the dialog's style and state now.
  void UpdateItems();
  // Updates the items and shows the menu at a screen point, painted by the skin's menu painter.
  void Popup(int x, int y);
  fw::TMenuItem* Item(TsDialogMenuItem which) const { return items_[size_t(which)]; }

  TveDialogWnd& Owner;

 private:
  fw::TMenuItem* AddCommand(HMENU platformMenu, UINT command, const char* name,
                            const char* fallback);

  std::array<fw::TMenuItem*, kDialogMenuItems> items_{};
};
