// What the skin manager asks of the window system, and the hooks into the form and control
// skinning that is built on top of it. The portable manager calls only this; the Win32 build
// installs the real window system, native builds a silent one, and tests a recording fake.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Seam.h"

class TsSkinManager;
namespace fw {
class TControl;
}

// Who a broadcast reaches: the application's own forms only, or also the forms registered by
// skin providers and the skinned system windows.
enum class TsBroadcastScope { ApplicationForms, Everything };

class TsSkinWindows : public platform::Replaceable<TsSkinWindows> {
 public:
  static TsSkinWindows& Default();

  // Sends a skin command, lParam = the manager, to every skinned window of the scope.
  virtual void Broadcast(TsSkinManager& manager, uint16_t command, TsBroadcastScope scope) = 0;
  // Synchronous sends to one window (a window handle) or one windowless control.
  virtual void SendToWindow(void* window, uint16_t command, TsSkinManager& manager) = 0;
  virtual void SendToControl(fw::TControl* control, uint16_t command, TsSkinManager& manager) = 0;
  // Whether the control's skin data still has the mouse over it.
  virtual bool ControlHasMouse(fw::TControl* control) = 0;
  // Repaints the skinned system windows (frame, client, children, at once).
  virtual void RepaintSystemWindows() = 0;
  // The thread's window-creation hook through which system dialogs are caught; removing it
  // also forgets the skinned system windows.
  virtual void InstallCreationHook(TsSkinManager& manager) = 0;
  virtual void RemoveCreationHook() = 0;
  // The minimise and restore commands of the application's main window.
  virtual void HookApplicationWindow(TsSkinManager& manager) = 0;
  virtual void UnhookApplicationWindow(TsSkinManager& manager) = 0;
  // Layered-window updating is offered by the system (glows and border windows need it).
  virtual bool LayeredWindowsAvailable() = 0;
  // The program's command-line arguments, the program itself excluded.
  virtual std::vector<std::string> CommandLine() = 0;
  // The window that owns the manager's message boxes (null for none).
  virtual void* MessageOwner() = 0;
  virtual std::string ApplicationTitle() = 0;
};

// Hooks into the parts of the engine that paint forms and effects. Each is empty until the part
// that does the work fills it; an empty hook does nothing.
struct TsManagerHooks {
  // Hides every glow effect on screen (the glow painter).
  std::function<void()> HideAllGlows;
  // Takes a picture of the visible skinned forms before a skin change animates.
  std::function<void(TsSkinManager&)> PrepareChangeAnimation;
  // Freezes the visible skinned forms so that the change can be animated.
  std::function<void(TsSkinManager&)> FreezeForms;
  // Unfreezes and repaints the forms, fading by AnimEffects.SkinChanging when it is active.
  std::function<void(TsSkinManager&)> EndChangeAnimation;
  // Lets go of forms still frozen, without a fade: a change that ended before its animation.
  std::function<void(TsSkinManager&)> ThawForms;
  // Forgets the menu painter's cached border width.
  std::function<void()> ResetMenuBorderWidth;
};

TsManagerHooks& ManagerHooks();
