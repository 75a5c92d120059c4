// The Win32 side of the skin manager: the registries that the form and dialog skinning fill,
// the hooks into the parts that animate and paint forms, and helpers the tests use as well.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {
class TForm;
class TMenuItem;
}  // namespace fw

// Forms that a skin provider registered; they receive every broadcast after the application's
// own forms.
std::vector<fw::TForm*>& ProviderForms();
// System windows (dialogs) that the dialog skinning took over; broadcasts reach the visible ones.
std::vector<HWND>& SkinnedSystemWindows();

// The executable's name without its extension: the title before the program sets one.
std::string ProgramName();

// The application's forms that a broadcast reaches, from the last to the first: the framework's
// forms whose windows are top-level windows of this thread, topmost first.
std::vector<fw::TForm*> ApplicationForms();

// Hooks into the form skinning, its animations, the border window, the menu painter and the
// dialog skinning. provider is what a form answers to CmdGetProvider. Empty hooks do nothing
// (queries answer false or nothing).
struct TsWin32ManagerHooks {
  // A window is being created on this thread (the creation hook); dialog skinning acts here.
  std::function<void(HWND, CBT_CREATEWNDA*)> WindowCreating;
  // A window is about to be activated, or destroyed (the same hook).
  std::function<void(HWND)> WindowActivating;
  std::function<void(HWND)> WindowDestroying;
  // The hook was removed: whatever was skinned through it lets go.
  std::function<void()> CreationHookRemoved;
  // Whether the skin data a control answered to CmdGetSkinData has the mouse over it.
  std::function<bool(LRESULT skinData)> SkinDataHasMouse;
  // Whether the provider paints the form's non-client area.
  std::function<bool(LRESULT provider)> DrawsNonClient;
  // Marks the provider's border window hidden and frees its layered window.
  std::function<void(LRESULT provider)> HideBorderWindow;
  // Keeps the provider from running its own show or hide animation for this change.
  std::function<void(LRESULT provider)> SuppressAnimation;
  std::function<void(LRESULT provider)> StartMinimizeAnimation;
  // Answers whether the restore animation started.
  std::function<bool(LRESULT provider)> StartRestoreAnimation;
  // Clears the provider's hidden-by-minimise state; answers whether it was set.
  std::function<bool(LRESULT provider)> TakeHiddenState;
  // After a minimise without animation: drops a stale window image and shows the border again.
  std::function<void(LRESULT provider)> ShowBorderWindowAgain;
  // Shows the form again behind the provider's cover window, when no restore animation ran.
  std::function<void(LRESULT provider)> ShowFormDirectly;
  // Runs the hide animation of the main form while the program ends.
  std::function<void(LRESULT provider)> AnimateApplicationHide;
  // The screen rectangle of the first item of the menu that holds item.
  std::function<std::optional<RECT>(fw::TMenuItem* item)> FirstItemRect;
  // Builds and applies the skinned background of a popup menu window.
  std::function<void(fw::TMenuItem* item, HWND popup)> BuildPopupBackground;
};

TsWin32ManagerHooks& Win32ManagerHooks();

// Minimises or restores a window with the system's minimise animation switched off, and the
// previous setting back afterwards.
void ShowWithoutAnimation(HWND wnd, int command);
// The system's minimise animation switch (SPI_GETANIMATION / SPI_SETANIMATION), replaceable
// because not every system keeps it.
struct TsMinimizeAnimationSetting {
  int (*Get)();
  void (*Set)(int);
};
TsMinimizeAnimationSetting& MinimizeAnimationSetting();
// Desktop composition is on (the desktop window manager is asked when it is there).
bool CompositionEnabled();
// The menu painter's message asking for a popup menu's background; lParam = the menu item.
inline constexpr UINT kPopupBackgroundMsg = 0xBCB3;
// The raw bytes of the program's shadow pictures for active and inactive forms (the data
// resources "VESHDA" and "VESHDI"), empty when the program carries none; the border window
// decodes them.
const std::string& ActiveShadowData();
const std::string& InactiveShadowData();
