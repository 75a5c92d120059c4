#include "skin/forms/sTitleAnimation.h"

#include "platform/LayeredWindows.h"
#include "skin/render/sAnimSteps.h"
#include "skin/render/sLayeredPopup.h"

namespace {

constexpr unsigned kInterval = 12;

}  // namespace

TveSBAnimation::TveSBAnimation(HWND target, const TRect& button, TOrigin origin, TComposer compose)
    : TveThreadedTimer(nullptr, true),
      target_(target),
      button_(button),
      origin_(std::move(origin)),
      compose_(std::move(compose)) {
  SetInterval(kInterval);
}

TveSBAnimation::~TveSBAnimation() {
  DropPopup();
}

void TveSBAnimation::DropPopup() {
  if (popup_) DestroyWindow(popup_);
  popup_ = nullptr;
  frame_ = {};
}

bool TveSBAnimation::MouseOverButton() const {
  POINT cursor;
  if (!GetCursorPos(&cursor)) return false;
  const POINT origin = origin_();
  const int x = cursor.x - origin.x, y = cursor.y - origin.y;
  return x >= button_.Left && x < button_.Right && y >= button_.Top && y < button_.Bottom;
}

void TveSBAnimation::Show(uint8_t alpha) {
  if (frame_.Picture.Empty() || !IsWindow(target_)) return;
  const bool created = !popup_;
  if (created) popup_ = CreateLayeredPopup(GetWindowLongA(target_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  if (!popup_) return;
  const POINT origin = origin_();
  const int x = origin.x + frame_.Place.Left, y = origin.y + frame_.Place.Top;
  platform::LayeredWindows::Current().Update(popup_, x, y, frame_.Picture, alpha);
  if (!created) return;
  // Directly in front of the form: below whatever lies above it.
  HWND above = GetWindow(target_, GW_HWNDPREV);
  if (above == popup_) above = GetWindow(popup_, GW_HWNDPREV);
  SetWindowPos(popup_, above ? above : HWND_TOP, x, y, frame_.Picture.Width(),
               frame_.Picture.Height(), SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
}

void TveSBAnimation::Animate(int state, int steps, bool backward) {
  if (state == state_) return;
  const int oldSteps = steps_;
  steps_ = std::max(1, steps);
  if (state != 0) {
    // A press shows its look at once, in a popup of its own.
    if (state == 2) DropPopup();
    state_ = state;
    fadingIn_ = !backward;
    frame_ = compose_(state);
    step_ = 1;
    Show(TitleButtonAlpha(steps_, step_));
    step_ = 2;
  } else {
    if (state_ < 0 || !popup_) {
      SetEnabled(false);
      state_ = -1;
      DropPopup();
      return;
    }
    // The fade-out starts from the alpha reached so far, counted in the new number of steps (a
    // press shows at once in one step; its fade back takes ten).
    const int reached =
        TitleButtonAlpha(oldSteps, fadingIn_ ? std::min(step_ - 1, oldSteps) : step_);
    state_ = 0;
    fadingIn_ = false;
    step_ = std::min((reached * steps_ + 254) / 255, steps_);
    Show(TitleButtonAlpha(steps_, step_));
  }
  SetEnabled(steps_ > 1);
}

void TveSBAnimation::Tick() {
  if (fadingIn_) {
    if (step_ < steps_) {
      Show(TitleButtonAlpha(steps_, step_));
      ++step_;
      return;
    }
    Show(255);
    SetEnabled(false);
    // The mouse may have left while the fade ran without the form hearing of it.
    if (!MouseOverButton()) PostMessageA(target_, WM_MOUSELEAVE, 0, 0);
    return;
  }
  if (step_ > 0) {
    Show(TitleButtonAlpha(steps_, step_));
    --step_;
    return;
  }
  state_ = -1;
  SetEnabled(false);
  DropPopup();
  if (OnEnded) OnEnded();
}
