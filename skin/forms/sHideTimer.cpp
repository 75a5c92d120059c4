#include "skin/forms/sHideTimer.h"

#include "framework/Application.h"
#include "platform/LayeredWindows.h"
#include "skin/data/sSkinCommands.h"
#include "skin/forms/sSkinProvider.h"

TveHideTimer::TveHideTimer() : TveThreadedTimer(nullptr) {
  // The handler stays for good: a handler replaced while it runs would be freed under itself.
  SetEnabled(false);
  SetInterval(kFrameInterval);
  SetOnTimer([this](fw::TObject*) { Step(); });
}

TveHideTimer& HideTimer() {
  // Never destroyed: a form told after the program's forms have gone would not be there.
  static auto* timer = new TveHideTimer;
  return *timer;
}

void TveHideTimer::Abandon() {
  SetEnabled(false);
  FreeAnimWindow(animWindow_);
  show_.reset();
  sourceImage_.reset();
}

void TveHideTimer::Start(HWND window, std::unique_ptr<img::Bitmap32> image, int timeMs, HWND form,
                         TveAnimType mode, uint8_t startAlpha) {
  Abandon();
  const int width = image ? image->Width() : 0, height = image ? image->Height() : 0;
  frames_ = HideFrames(timeMs, startAlpha, mode == TveAnimType::atAero, width, height);
  if (frames_.empty() || !window || !image) {
    FreeAnimWindow(window);
    return;
  }
  formWindow_ = form;
  notified_ = false;
  step_ = 0;
  sourceImage_ = std::move(image);
  animWindow_ = window;
  SetWindowLongA(window, GWL_EXSTYLE,
                 GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_LAYERED);
  ShowPicture(window, *sourceImage_, startAlpha);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  RECT r;
  GetWindowRect(window, &r);
  UINT flags = SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW;
  if (!IsTopmost(window)) flags |= SWP_NOZORDER;
  SetWindowPos(window, HWND_TOPMOST, r.left, r.top, width, height, flags);
  show_ = std::make_unique<TsFrameShow>(window, *sourceImage_);
  if (fw::Application.Terminated()) {
    // No message loop will tick any more.
    while (animWindow_) {
      Step();
      if (animWindow_) Sleep(kFrameInterval);
    }
    return;
  }
  Step();
  SetEnabled(true);
}

void TveHideTimer::Step() {
  if (!animWindow_) return;
  if (step_ >= frames_.size()) {
    Finish();
    return;
  }
  show_->Show(frames_[step_++]);
}

void TveHideTimer::Finish() {
  Abandon();
  Notify();
}

void TveHideTimer::Notify() {
  if (notified_ || !formWindow_ || !IsWindow(formWindow_)) return;
  auto* provider = reinterpret_cast<TsSkinProvider*>(
      SendMessageA(formWindow_, SkinCommandMsg, SkinCommandParam(CmdGetProvider), 0));
  if (!provider || !provider->OnAfterAnimation) return;
  notified_ = true;
  provider->OnAfterAnimation(*provider, TveAnimEvent::aeHiding);
}

void StartHideAnimation(HWND window, std::unique_ptr<img::Bitmap32> image, int timeMs, HWND form,
                        TveAnimType mode, uint8_t startAlpha) {
  HideTimer().Start(window, std::move(image), timeMs, form, mode, startAlpha);
}
