// The platform's pop-up menu windows under a skin: each one gets an adapter when it is created.
// Until its frame is painted the window is fully transparent, so the platform's look never
// flashes; then its frame and background come from the menu painter's picture of it.
#pragma once

#include <windows.h>

#include "skin/controls/veMainWnd.h"

class TveMnuWnd : public TveMainWnd {
 public:
  TveMnuWnd(HWND handle, TsSkinManager* manager);
  void HandleMessage(fw::TMessage& message) override;

  bool Shown = false;  // the frame has been painted once
  int FrameDirty = 0;  // the frame must be rendered again

 private:
  // The painter's picture of this window, else one of the menu section at the window's size.
  const img::Bitmap32& Picture();
  void EraseBackground(fw::TMessage& message);
  void PaintFrame();
  void Reveal();
  void Destroying();

  img::Bitmap32 cache_;
  bool hidden_ = false;  // made transparent until the first frame
};

// Gives a pop-up menu window being created its adapter, while the default manager skins
// pop-up menus.
void AdoptMenuWindow(HWND wnd, const CBT_CREATEWNDA* create);
// The adapters of the menu windows open now.
size_t MenuWindowCount();
// Connects the menu painter and the pop-up menu windows' adoption to the skin manager's hooks;
// once.
void InstallMenuHooks();
