// The skin change seen on the screen: the manager freezes the visible skinned forms before the
// new skin reaches them, and once they have taken it their new look fades in over the old one.
// Also the manager's other hooks into the form animations.
#include <algorithm>

#include "framework/OnThrow.h"
#include "platform/GdiScopes.h"
#include "platform/LayeredWindows.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinWindows.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/forms/sAnimWindow.h"
#include "skin/forms/sControlTree.h"
#include "skin/forms/sFormAnimations.h"
#include "skin/forms/sOutputWindow.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sBlend.h"
#include "skin/render/sPaintFlags.h"

namespace {

constexpr UINT kRedrawAll =
    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

// Forms held still for the change that runs now.
std::vector<fw::TForm*>& FrozenForms() {
  static std::vector<fw::TForm*> forms;
  return forms;
}

// Every form a broadcast reaches, once each.
std::vector<fw::TForm*> SkinnedForms() {
  std::vector<fw::TForm*> forms = ApplicationForms();
  for (fw::TForm* form : ProviderForms())
    if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(form);
  return forms;
}

bool Contains(const std::vector<fw::TForm*>& forms, const fw::TForm* form) {
  return std::find(forms.begin(), forms.end(), form) != forms.end();
}

void FreezeForms(TsSkinManager& manager) {
  std::vector<fw::TForm*>& frozen = FrozenForms();
  for (fw::TForm* form : SkinnedForms()) {
    if (Contains(frozen, form) || !form->HandleAllocated()) continue;
    HWND wnd = form->Handle();
    if (!IsWindowVisible(wnd) || IsIconic(wnd) || (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD))
      continue;
    TsSkinProvider* provider = ProviderOf(form);
    if (!provider || provider->Empty() || provider->SkinManager() != &manager) continue;
    AnimationInProgress = true;
    provider->InAnimation = true;
    provider->FormStateFlags |= TsSkinProvider::kFrozenForChange;
    // The screen keeps the old look while the form takes the new skin.
    SendMessageA(wnd, WM_SETREDRAW, 0, 0);
    frozen.push_back(form);
  }
}

void EndChangeAnimation(TsSkinManager& manager) {
  std::vector<fw::TForm*>& frozen = FrozenForms();
  const TveSkinChanging& effect = manager.AnimEffects.SkinChanging;
  std::vector<fw::TForm*> live = SkinnedForms();
  // A form leaves the list once its animation is done: after a throw, ThawForms lets go of it
  // and of those still waiting.
  while (!frozen.empty()) {
    fw::TForm* form = frozen.front();
    if (Contains(live, form) && form->HandleAllocated()) {
      TsSkinProvider* provider = ProviderOf(form);
      bool fade = effect.Active && provider && provider->DrawNonClientArea();
      AnimateSkinChange(*form, fade ? effect.Time : 0, FormAlpha(*form),
                        fade ? effect.Mode : TveAnimType::atFading);
    }
    frozen.erase(std::find(frozen.begin(), frozen.end(), form));
  }
  AnimationInProgress = false;
}

// The form let go after the change, painting again.
void Release(fw::TForm& form, TsSkinProvider* provider, uint8_t alpha) {
  AnimationInProgress = false;
  if (provider) {
    provider->InAnimation = false;
    provider->FormStateFlags &= ~TsSkinProvider::kFrozenForChange;
  }
  if (form.AlphaBlend()) form.SetAlphaBlendValue(alpha);
  SendMessageA(form.Handle(), WM_SETREDRAW, 1, 0);
}

// Let go and painted again, its whole window at once.
void Unfreeze(fw::TForm& form, TsSkinProvider* provider, uint8_t alpha) {
  Release(form, provider, alpha);
  RedrawWindow(form.Handle(), nullptr, nullptr, kRedrawAll);
}

void ThawForms(TsSkinManager&) {
  std::vector<fw::TForm*> frozen;
  frozen.swap(FrozenForms());
  if (frozen.empty()) return;
  std::vector<fw::TForm*> live = SkinnedForms();
  for (fw::TForm* form : frozen)
    if (Contains(live, form) && form->HandleAllocated())
      Unfreeze(*form, ProviderOf(form), FormAlpha(*form));
  AnimationInProgress = false;
}

void FadeInLayered(fw::TForm& form, TsSkinProvider& provider, int timeMs, uint8_t alpha,
                   TveAnimType mode) {
  std::unique_ptr<img::Bitmap32> picture = PaintFinalLook(provider);
  const RECT bounds = FinalLookBounds(provider, *picture);
  std::vector<TsAnimFrame> frames =
      ShowFrames(timeMs, alpha, mode == TveAnimType::atAero, TsAnimKind::Form, picture->Width(),
                 picture->Height());
  HWND cover = ShowFinalLookWindow(provider, *picture, frames.empty() ? alpha : 0);
  fw::TOnThrow dropCover([&cover] { FreeAnimWindow(cover); });
  // The border window still shows the old frame and shadow, behind the form: it fades out over
  // the last third, so the two shadows never darken each other.
  TveBorderForm* border = provider.BorderForm();
  HWND oldLook = border ? border->WindowIfAny() : nullptr;
  std::function<void(const TsAnimFrame&)> fadeOld;
  // Only its alpha changes: the window keeps the picture it shows, which is never handed over
  // again, and a frame that leaves the alpha as the frame before left it does nothing.
  int oldAlpha = -1;
  if (oldLook && !border->Picture().Empty())
    fadeOld = [&](const TsAnimFrame& frame) {
      const uint8_t now = OldLookAlpha(alpha, frame.Alpha);
      if (now == oldAlpha) return;
      oldAlpha = now;
      platform::LayeredWindows::Current().UpdateAlpha(oldLook, now);
    };
  // The form takes the last frame's look at once: holding that frame a tick longer only delays it.
  if (cover) RunFrames(cover, *picture, frames, fadeOld, false);
  // The last frame showed the new look as painting the form would: the form takes that picture,
  // unless it moved or changed its size meanwhile.
  Release(form, &provider, alpha);
  if (!PutFinalLookOnForm(provider, *picture, bounds))
    RedrawWindow(form.Handle(), nullptr, nullptr, kRedrawAll);
  if (border) border->Update(true, provider.BorderAlpha());
  FreeAnimWindow(cover);
}

// Without layered windows: cross-fading in a window that paints nothing, over the screen's copy
// of the old look.
void CrossFadeInOutputWindow(fw::TForm& form, TsSkinProvider* provider, int timeMs, uint8_t alpha) {
  TsChangeCover& cover = ChangeCover();
  if (!cover.Window) SnapshotToOutputWindow(form);
  HWND out = cover.Window ? cover.Window->Handle() : nullptr;
  HWND wnd = form.Handle();
  if (out && cover.Snapshot) {
    const int w = cover.Snapshot->Width(), h = cover.Snapshot->Height();
    img::Bitmap32 picture(w, h);
    PaintControlTree(picture, &form, 0, 0, provider);
    if (provider) {
      // The output window takes the shape the form has in the new skin.
      HRGN region = CreateRectRgn(0, 0, 0, 0);
      if (GetWindowRgn(wnd, region) != ERROR)
        SetWindowRgn(out, region, FALSE);
      else
        DeleteObject(region);
    }
    platform::WindowDC dc(out, true);
    // Without time for a fade (n = 0) the one frame is the new look.
    const int n = FrameSteps(timeMs);
    img::Bitmap32 frame(w, h);
    TsFrameClock clock;
    for (int k = 0; k <= n; ++k) {
      CrossFade(frame, *cover.Snapshot, picture, CrossFadeWeight(k, n));
      BitBlt(dc, 0, 0, w, h, frame.DC(), 0, 0, SRCCOPY);
      ReportFrameShown(clock, k);
      clock.WaitForNextFrame();
    }
    BitBlt(dc, 0, 0, w, h, picture.DC(), 0, 0, SRCCOPY);
  }
  if (form.Visible())
    Unfreeze(form, provider, alpha);
  else
    AnimationInProgress = false;
  if (out && !(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED))
    SetWindowPos(out, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER);
  FreeChangeCover();
}

}  // namespace

void AnimateSkinChange(fw::TForm& form, int timeMs, uint8_t alpha, TveAnimType mode) {
  if (!form.HandleAllocated()) return;
  AnimationInProgress = true;
  TsSkinProvider* provider = ProviderOf(&form);
  if (provider && platform::LayeredWindows::Current().Available() &&
      provider->RebuildWindowImage() && !provider->WindowImage().Empty())
    FadeInLayered(form, *provider, timeMs, alpha, mode);
  else
    CrossFadeInOutputWindow(form, provider, timeMs, alpha);
}

void InstallAnimationHooks() {
  TsManagerHooks& hooks = ManagerHooks();
  hooks.FreezeForms = FreezeForms;
  hooks.EndChangeAnimation = EndChangeAnimation;
  hooks.ThawForms = ThawForms;
  TsWin32ManagerHooks& win32 = Win32ManagerHooks();
  win32.SuppressAnimation = [](LRESULT provider) {
    reinterpret_cast<TsSkinProvider*>(provider)->SkipAnimation = true;
  };
  win32.AnimateApplicationHide = [](LRESULT lParam) {
    // The program ends: the main form fades out from the cover its hiding left, inside this
    // call, unless its own hide animation has taken that cover already.
    auto* provider = reinterpret_cast<TsSkinProvider*>(lParam);
    provider->SkipAnimation = true;
    if (provider->HideCover) AnimateFormHide(*provider);
  };
}
