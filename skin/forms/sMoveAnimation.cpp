#include "skin/forms/sMoveAnimation.h"

#include "platform/LayeredWindows.h"

namespace {

constexpr unsigned kInterval = 12;

}  // namespace

TveMoveTimer::TveMoveTimer(HWND window, const TsMoveBlend& blend)
    : TveThreadedTimer(nullptr, true), window_(window), blend_(blend), alpha_(blend.Start) {
  platform::LayeredWindows::Current().SetAlpha(window_, alpha_);
  SetInterval(kInterval);
  SetEnabled(true);
}

void TveMoveTimer::Tick() {
  alpha_ = NextMoveAlpha(alpha_, blend_);
  platform::LayeredWindows::Current().SetAlpha(window_, alpha_);
  if (alpha_ <= blend_.Target) SetEnabled(false);
}
