// The provider's side of the form's show and hide animations: when they run, the picture a hide
// starts from, and the form kept invisible while its show animation paints it.
#include "platform/StartupTrace.h"
#include "framework/Application.h"
#include "framework/OnThrow.h"
#include "platform/LayeredWindows.h"
#include "skin/forms/sAnimWindow.h"
#include "skin/forms/sFormAnimations.h"
#include "skin/forms/sPreviewLink.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sPaintFlags.h"

using namespace fw;

namespace {

bool IsChildWindow(HWND wnd) {
  return (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) != 0;
}

}  // namespace

bool TsSkinProvider::ShowAnimationWanted() const {
  TsSkinManager* manager = SkinManager();
  if (!manager || !AllowAnimation || SkipAnimation || IsChildWindow(form_->Handle())) return false;
  if (PreviewMode && form_->Handle() == PreviewWindow()) return false;
  const TveFormShow& show = manager->AnimEffects.FormShow;
  return show.Active && FrameSteps(show.Time) > 0 &&
         platform::LayeredWindows::Current().Available();
}

bool TsSkinProvider::HideAnimationWanted() const {
  TsSkinManager* manager = SkinManager();
  HWND wnd = form_->Handle();
  if (!manager || !AllowAnimation || SkipAnimation || !drawNonClient_ || IsChildWindow(wnd) ||
      IsIconic(wnd) || manager->AppSysCommand == 2)
    return false;
  const TveFormHide& hide = manager->AnimEffects.FormHide;
  return hide.Active && FrameSteps(hide.Time) > 0 &&
         platform::LayeredWindows::Current().Available();
}

void TsSkinProvider::DropHideCover() {
  FreeAnimWindow(HideCover);
  HideSnapshot.Resize(0, 0);
  FormStateFlags &= ~kHideSnapshotTaken;
}

// The form's look as its hiding begins, shown in a window of its own in front of it: the screen
// keeps showing the form until the hide animation takes over.
void TsSkinProvider::TakeHideSnapshot() {
  DropHideCover();
  if (!RebuildWindowImage() || WindowImage().Empty()) return;
  HideSnapshot = std::move(*PaintFinalLook(*this));
  HideCover = ShowFinalLookWindow(*this, HideSnapshot, 255);
  if (HideCover) FormStateFlags |= kHideSnapshotTaken;
}

bool TsSkinProvider::HandleAnimationMessage(TMessage& message) {
  switch (message.Msg) {
    case CM_SHOWINGCHANGED: {
      if (!message.WParam || !ShowAnimationWanted()) return false;
      AdoptControls();
      uint8_t alpha = FormAlpha(*form_);
      InAnimation = true;
      // Shown invisible, its border window not yet: the animation window shows the form until
      // it is painted.
      AnimationInProgress = true;
      HideByLayering(*form_);
      TLifeToken alive = life_.Token();
      auto showPlainly = [this, alive, alpha] {
        AnimationInProgress = false;
        if (!alive) return;
        InAnimation = false;
        ShowAfterLayering(*form_, alpha);
        RedrawWindow(form_->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      };
      // A throw on the way (the form's own showing, the animation) must not leave the form
      // transparent and every frame's painting held back.
      TOnThrow guard(showPlainly);
      if (!CallSaved(message)) {
        AnimationInProgress = false;
        return true;
      }
      platform::TraceStartup("form shown, still transparent");
      if (PreviewMode && Application.MainForm() == form_) RegisterWithEditor(form_->Handle());
      const TveFormShow& show = SkinManager()->AnimEffects.FormShow;
      if (!AnimateFormShow(*this, show.Time, alpha, show.Mode)) showPlainly();
      return true;
    }
    case WM_SHOWWINDOW:
      if (message.WParam) {
        FormStateFlags &= 0x400;
        SkipAnimation = false;
        DropHideCover();
      }
      return false;
    case WM_WINDOWPOSCHANGING: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      if (pos && (pos->flags & SWP_HIDEWINDOW) && IsWindowVisible(form_->Handle()) &&
          HideAnimationWanted())
        TakeHideSnapshot();
      return false;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      if (!pos || !(pos->flags & SWP_HIDEWINDOW)) return false;
      if (!CallSaved(message)) return true;
      if (border_) border_->FreeWindow();
      if (HideCover && HideAnimationWanted())
        AnimateFormHide(*this);
      else
        DropHideCover();
      return true;
    }
    default:
      return false;
  }
}
