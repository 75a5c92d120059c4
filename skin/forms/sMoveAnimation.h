// Translucent moving: while the form is dragged by its caption it turns translucent, its alpha
// going down a step every 12 ms to the manager's blend value, and comes back opaque when it is
// let go.
#pragma once

#include <windows.h>

#include "skin/render/sAnimSteps.h"
#include "skin/render/veThreadedTimer.h"

class TveMoveTimer : public TveThreadedTimer {
 public:
  // window must be layered already; it gets the start alpha at once.
  TveMoveTimer(HWND window, const TsMoveBlend& blend);
  std::string ClassName() const override { return "TveMoveTimer"; }
  uint8_t Alpha() const { return alpha_; }

 protected:
  void Tick() override;

 private:
  HWND window_;
  TsMoveBlend blend_;
  uint8_t alpha_;
};
