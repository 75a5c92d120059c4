#include "skin/forms/sFormAnimations.h"

#include <memory>

#include "platform/LayeredWindows.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/forms/sAnimWindow.h"
#include "skin/forms/sControlTree.h"
#include "skin/forms/sHideTimer.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sAnimFrames.h"
#include "skin/render/sBlend.h"
#include "skin/render/sGlow.h"
#include "skin/render/sPaintFlags.h"

namespace {

// The form put back under the animation window: no move, no size, no activation, no redraw, no
// owner order, no changing message.
constexpr UINT kBackUnderFlags = SWP_NOMOVE | SWP_NOSIZE | kAnimPlaceFlags;
constexpr UINT kRedrawWhole =
    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW;

}  // namespace

uint8_t FormAlpha(const fw::TForm& form) {
  return form.AlphaBlend() ? form.AlphaBlendValue() : 255;
}

std::unique_ptr<img::Bitmap32> PaintFinalLook(TsSkinProvider& provider) {
  const img::Bitmap32& image = provider.WindowImage();
  auto picture = std::make_unique<img::Bitmap32>(image.Width(), image.Height());
  PaintControlTree(*picture, provider.Form(), 0, 0, &provider);
  SetRectAlpha(*picture, {0, 0, picture->Width(), picture->Height()}, 255);
  return picture;
}

void HideByLayering(fw::TForm& form) {
  HWND wnd = form.Handle();
  SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  platform::LayeredWindows::Current().SetAlpha(wnd, 0);
}

void ShowAfterLayering(fw::TForm& form, uint8_t alpha) {
  if (form.AlphaBlend()) {
    form.SetAlphaBlendValue(alpha);
    return;
  }
  HWND wnd = form.Handle();
  SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
}

bool AnimateFormShow(TsSkinProvider& provider, int timeMs, uint8_t alpha, TveAnimType mode) {
  fw::TForm* form = provider.Form();
  if (!provider.Skinned() || !form->HandleAllocated() || IsIconic(form->Handle()) ||
      !provider.RebuildWindowImage() || provider.WindowImage().Empty())
    return false;
  HWND wnd = form->Handle();
  AnimationInProgress = true;
  std::unique_ptr<img::Bitmap32> picture = PaintFinalLook(provider);
  std::vector<TsAnimFrame> frames =
      ShowFrames(timeMs, alpha, mode == TveAnimType::atAero, TsAnimKind::Form, picture->Width(),
                 picture->Height());
  HWND anim = ShowAnimWindowAt(wnd, *picture, frames.empty() ? alpha : 0);
  if (!anim) {
    AnimationInProgress = false;
    return false;
  }
  RunFrames(anim, *picture, frames, nullptr);
  RECT r;
  GetWindowRect(wnd, &r);
  SetWindowPos(anim, nullptr, r.left, r.top, picture->Width(), picture->Height(),
               kAnimPlaceFlags | SWP_NOZORDER);
  ShowPicture(anim, *picture, alpha);
  // The form comes back directly under the animation window and paints its final look there.
  provider.InAnimation = false;
  SetWindowPos(wnd, anim, 0, 0, 0, 0, kBackUnderFlags);
  ShowAfterLayering(*form, alpha);
  SendMessageA(wnd, WM_SETREDRAW, 1, 0);
  AnimationInProgress = false;
  RedrawWindow(wnd, nullptr, nullptr, kRedrawWhole);
  // A composed desktop shows the form's new pixels a little later.
  if (CompositionEnabled()) Sleep(48);
  SetWindowPos(anim, wnd, 0, 0, 0, 0, kBackUnderFlags);
  FreeAnimWindow(anim);
  if (provider.OnAfterAnimation) provider.OnAfterAnimation(provider, TveAnimEvent::aeShowing);
  return true;
}

void AnimateFormHide(TsSkinProvider& provider) {
  HideAllGlows();
  fw::TForm* form = provider.Form();
  TsSkinManager* manager = provider.SkinManager();
  if (!manager || !provider.Skinned() || !form->HandleAllocated() ||
      !(provider.FormStateFlags & TsSkinProvider::kHideSnapshotTaken) || !provider.HideCover) {
    provider.DropHideCover();
    return;
  }
  AnimationInProgress = true;
  auto image = std::make_unique<img::Bitmap32>(std::move(provider.HideSnapshot));
  HWND cover = provider.HideCover;
  provider.HideCover = nullptr;
  const TveFormHide& hide = manager->AnimEffects.FormHide;
  StartHideAnimation(cover, std::move(image), hide.Time, form->Handle(), hide.Mode, 255);
  AnimationInProgress = false;
}
