// Translucent moving: while the form is dragged by its caption it turns translucent, its alpha
// going down a step every 12 ms to the manager's blend value, and comes back opaque when it is
// let go.
#pragma once

#include <windows.h>

#include <functional>

#include "skin/render/sAnimSteps.h"
#include "skin/render/veThreadedTimer.h"

class TveMoveTimer : public TveThreadedTimer {
 public:
  // window must be layered already; it gets the start alpha at once, and so does alsoShow (the
  // border window's picture) when given.
  TveMoveTimer(HWND window, const TsMoveBlend& blend,
               std::function<void(uint8_t)> alsoShow = nullptr);
  std::string ClassName() const override { return "TveMoveTimer"; }
  uint8_t Alpha() const { return alpha_; }

 protected:
  void Tick() override;

 private:
  HWND window_;
  TsMoveBlend blend_;
  std::function<void(uint8_t)> alsoShow_;
  uint8_t alpha_;
  void Show();
};
