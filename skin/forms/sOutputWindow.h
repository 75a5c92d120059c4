// The output window: a window that paints nothing, put over a form so that the screen keeps
// showing the form's old look while the form repaints beneath it. Skin changes use it where
// layered windows are missing, cross-fading into it from a copy of the screen.
#pragma once

#include <windows.h>

#include "framework/Forms.h"
#include "imaging/Bitmap32.h"

class TOutputWindow {
 public:
  // A hidden popup owned by owner's window (stay-on-top with a stay-on-top owner), or a child of
  // parent when one is given. Its text is "veOutputWindow".
  TOutputWindow(HWND owner, HWND parent);
  ~TOutputWindow();
  TOutputWindow(const TOutputWindow&) = delete;
  TOutputWindow& operator=(const TOutputWindow&) = delete;

  HWND Handle() const { return wnd_; }

 private:
  HWND wnd_ = nullptr;
};

// The output window and the screen copy of the skin change that runs now; none in between.
struct TsChangeCover {
  TOutputWindow* Window = nullptr;
  img::Bitmap32* Snapshot = nullptr;
};
TsChangeCover& ChangeCover();
// Frees the output window and the snapshot.
void FreeChangeCover();

// Copies what the screen shows at the form into the snapshot and shows the output window there,
// in front of the form, without activating it.
void SnapshotToOutputWindow(fw::TForm& form);
