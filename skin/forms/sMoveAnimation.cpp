#include "skin/forms/sMoveAnimation.h"

#include "platform/LayeredWindows.h"

namespace {

constexpr unsigned kInterval = 12;

}  // namespace

TveMoveTimer::TveMoveTimer(HWND window, const TsMoveBlend& blend,
                           std::function<void(uint8_t)> alsoShow)
    : TveThreadedTimer(nullptr, true),
      window_(window),
      blend_(blend),
      alsoShow_(std::move(alsoShow)),
      alpha_(blend.Start) {
  Show();
  SetInterval(kInterval);
  SetEnabled(true);
}

void TveMoveTimer::Tick() {
  alpha_ = NextMoveAlpha(alpha_, blend_);
  Show();
  if (alpha_ <= blend_.Target) SetEnabled(false);
}

void TveMoveTimer::Show() {
  platform::LayeredWindows::Current().SetAlpha(window_, alpha_);
  if (alsoShow_) alsoShow_(alpha_);
}
