// The hide animation: the last look of a hidden form or dialog fading (and, in the zoom mode,
// shrinking) in a layered window of its own, frame by frame on timer ticks, while the program
// goes on. One runs at a time; a new one ends the one before at once.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinManagerSettings.h"
#include "skin/forms/sAnimWindow.h"
#include "skin/render/sAnimFrames.h"
#include "skin/render/veThreadedTimer.h"

class TveHideTimer : public TveThreadedTimer {
 public:
  TveHideTimer();
  std::string ClassName() const override { return "TveHideTimer"; }

  // Takes the window and the picture; see StartHideAnimation.
  void Start(HWND window, std::unique_ptr<img::Bitmap32> image, int timeMs, HWND form,
             TveAnimType mode, uint8_t startAlpha);
  // Frees the window of a running animation without telling its form.
  void Abandon();
  // The window that shows the frames, null when no animation runs.
  HWND AnimWindow() const { return animWindow_; }

 private:
  void Step();
  void Finish();
  void Notify();

  HWND animWindow_ = nullptr;
  std::unique_ptr<img::Bitmap32> sourceImage_;
  // The frames on the window: a fade hands the picture over once and then changes only the
  // alpha; a zoom hands over each shrunk frame.
  std::unique_ptr<TsFrameShow> show_;
  std::vector<TsAnimFrame> frames_;
  size_t step_ = 0;
  HWND formWindow_ = nullptr;
  bool notified_ = false;
};

// The process's hide timer, made on first use.
TveHideTimer& HideTimer();

// Shows image in window (a layered window at the form's place) at startAlpha and fades it out in
// timeMs (time div 12 frames); form's provider hears aeHiding once the window has gone. Without
// time for a frame the window and image are freed at once and nobody is told. While the program
// ends the frames run at once, inside the call.
void StartHideAnimation(HWND window, std::unique_ptr<img::Bitmap32> image, int timeMs, HWND form,
                        TveAnimType mode, uint8_t startAlpha);
