// The minimise and restore flight: the form's picture, stretched into a layered window of its
// own, flies between the form's place and the taskbar a frame every 15 ms, fading out on the way
// down and in on the way back, while the form itself is already minimised. The flight runs to
// its end inside the command that started it, letting other messages through meanwhile.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/render/sAnimSteps.h"
#include "skin/render/veThreadedTimer.h"

class TveMinTimer : public TveThreadedTimer {
 public:
  // image is the form's whole look; the flight goes from from to to in steps frames, the alpha
  // from fromAlpha to toAlpha.
  TveMinTimer(const img::Bitmap32& image, const TsRectF& from, const TsRectF& to, int fromAlpha,
              int toAlpha, int steps, bool minimizing);
  ~TveMinTimer() override;
  std::string ClassName() const override { return "TveMinTimer"; }

  // Shows every frame, returning after the last one; started runs once the first frame is on
  // screen. The last frame stays on screen until the timer is freed.
  void Run(const std::function<void()>& started);
  // The work area changed: a minimise flies on towards the new target from where it is.
  void Retarget(const TsRectF& to);

 protected:
  void Tick() override;

 private:
  void ShowFrame(const TsFlightFrame& frame);

  img::Bitmap32 image_;
  std::vector<TsFlightFrame> frames_;
  size_t next_ = 0;
  int toAlpha_;
  bool minimizing_;
  HWND window_ = nullptr;
};

inline TsRectF ToRectF(const RECT& r) {
  return {double(r.left), double(r.top), double(r.right), double(r.bottom)};
}

// Where a form minimises to: the edge of the taskbar that faces the screen, or without a taskbar
// the bottom edge of the work area of the form's monitor.
TsRectF MinimizeTarget(HWND form);
