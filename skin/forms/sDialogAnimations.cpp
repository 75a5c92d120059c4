#include "skin/forms/sDialogAnimations.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/GdiScopes.h"
#include "platform/LayeredWindows.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/forms/sAnimWindow.h"
#include "skin/forms/sHideTimer.h"
#include "skin/forms/veDialogWnd.h"
#include "skin/forms/veProvider.h"
#include "skin/render/sAnimFrames.h"
#include "skin/render/sBlend.h"
#include "skin/render/sGlow.h"
#include "skin/render/sPaintFlags.h"

namespace {

constexpr UINT kBackUnderFlags = SWP_NOMOVE | SWP_NOSIZE | kAnimPlaceFlags;
constexpr UINT kRedrawWhole =
    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

// The client area in the picture: at the client offset, no larger than the client or the
// picture.
TRect ClientInPicture(TveDialogWnd& dialog, const img::Bitmap32& picture) {
  RECT client;
  GetClientRect(dialog.Handle, &client);
  TPoint offset = dialog.ClientOffsetInImage();
  return {offset.X, offset.Y, std::min<int>(offset.X + client.right, picture.Width()),
          std::min<int>(offset.Y + client.bottom, picture.Height())};
}

}  // namespace

void CaptureDialogImage(TveDialogWnd& dialog, img::Bitmap32& picture, bool fromScreen) {
  const TRect client = ClientInPicture(dialog, picture);
  if (client.Width() <= 0 || client.Height() <= 0) return;
  HDC target = picture.DC();
  if (fromScreen) {
    BitBlt(target, client.Left, client.Top, client.Width(), client.Height(),
           platform::WindowDC(dialog.Handle), 0, 0, SRCCOPY);
    GdiFlush();
    SetRectAlpha(picture, client, 255);
    return;
  }
  if (dialog.Provider) {
    int saved = SaveDC(target);
    IntersectClipRect(target, client.Left, client.Top, client.Right, client.Bottom);
    SetViewportOrgEx(target, client.Left, client.Top, nullptr);
    dialog.Provider->PrintChildren(dialog.Handle, target);
    RestoreDC(target, saved);
    GdiFlush();
  }
  // Printed content carries no alpha; without a border window the whole picture is the dialog.
  SetRectAlpha(picture, {0, 0, picture.Width(), picture.Height()}, 255);
}

bool AnimateDialogShow(TveDialogWnd& dialog, int timeMs, uint8_t alpha, TveAnimType mode) {
  HWND wnd = dialog.Handle;
  if (!dialog.FrameSkinned() || IsIconic(wnd) || !dialog.RebuildWindowImage() ||
      dialog.WindowImage().Empty())
    return false;
  AnimationInProgress = true;
  img::Bitmap32 picture(dialog.WindowImage());
  CaptureDialogImage(dialog, picture, false);
  std::vector<TsAnimFrame> frames =
      ShowFrames(timeMs, alpha, mode == TveAnimType::atAero, TsAnimKind::Dialog, picture.Width(),
                 picture.Height());
  RECT r;
  GetWindowRect(wnd, &r);
  const RECT bounds{r.left, r.top, r.left + picture.Width(), r.top + picture.Height()};
  HWND anim = ShowAnimWindowAt(wnd, bounds, picture, frames.empty() ? alpha : 0);
  if (!anim) {
    AnimationInProgress = false;
    return false;
  }
  RunFrames(anim, picture, frames, nullptr);
  SetWindowRgn(anim, nullptr, FALSE);
  ShowPicture(anim, picture, alpha);
  // The dialog comes back directly under the animation window and paints its final look there.
  SetWindowPos(wnd, anim, 0, 0, 0, 0, kBackUnderFlags);
  SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
  AnimationInProgress = false;
  dialog.RepaintFrameNow();
  SendMessageA(wnd, WM_SETREDRAW, 1, 0);
  // A composed desktop shows the dialog's new pixels a little later.
  if (CompositionEnabled()) Sleep(48);
  RedrawWindow(wnd, nullptr, nullptr, kRedrawWhole);
  SetWindowPos(anim, wnd, 0, 0, 0, 0, kBackUnderFlags);
  FreeAnimWindow(anim);
  return true;
}

void AnimateDialogHide(TveDialogWnd& dialog) {
  HideAllGlows();
  TsSkinManager* manager = dialog.SkinManager;
  if (!manager || !dialog.HideCover) {
    dialog.DropHideCover();
    return;
  }
  auto image = std::make_unique<img::Bitmap32>(std::move(dialog.HideSnapshot));
  HWND cover = dialog.HideCover;
  dialog.HideCover = nullptr;
  const TveFormHide& hide = manager->AnimEffects.DialogHide;
  // No form hears of its end: a dialog has no provider of its own to tell.
  StartHideAnimation(cover, std::move(image), hide.Time, nullptr, hide.Mode, 255);
}

// The adapter's side: when the animations run, the dialog kept invisible while its show
// animation paints it, and the picture a hide starts from.

namespace {

bool LayeredAnimationPossible(HWND wnd, const TveFormAnimation& settings) {
  return settings.Active && FrameSteps(settings.Time) > 0 &&
         !(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) &&
         platform::LayeredWindows::Current().Available();
}

}  // namespace

bool TveDialogWnd::ShowAnimationWanted() const {
  // A dialog layered by its owner keeps its own alpha and is shown as it is.
  return !(GetWindowLongA(Handle, GWL_EXSTYLE) & WS_EX_LAYERED) &&
         LayeredAnimationPossible(Handle, SkinManager->AnimEffects.DialogShow);
}

bool TveDialogWnd::HideAnimationWanted() const {
  return !IsIconic(Handle) && LayeredAnimationPossible(Handle, SkinManager->AnimEffects.DialogHide);
}

void TveDialogWnd::DropHideCover() {
  FreeAnimWindow(HideCover);
  HideSnapshot.Resize(0, 0);
}

void TveDialogWnd::TakeHideSnapshot() {
  DropHideCover();
  if (!RebuildWindowImage() || WindowImage().Empty()) return;
  HideSnapshot = WindowImage();
  CaptureDialogImage(*this, HideSnapshot, true);
  RECT r;
  GetWindowRect(Handle, &r);
  HideCover = ShowAnimWindowAt(
      Handle, {r.left, r.top, r.left + HideSnapshot.Width(), r.top + HideSnapshot.Height()},
      HideSnapshot, 255);
}

bool TveDialogWnd::HandleAnimationMessage(fw::TMessage& message) {
  switch (message.Msg) {
    case WM_SHOWWINDOW:
      if (message.WParam) DropHideCover();
      return false;
    case WM_WINDOWPOSCHANGING: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      if (!pos || AnimationInProgress) return false;
      if ((pos->flags & SWP_SHOWWINDOW) && !IsWindowVisible(Handle) && ShowAnimationWanted()) {
        // Shown invisible: the animation window shows the dialog until it is painted.
        SetWindowLongA(Handle, GWL_EXSTYLE, GetWindowLongA(Handle, GWL_EXSTYLE) | WS_EX_LAYERED);
        platform::LayeredWindows::Current().SetAlpha(Handle, 0);
        showPending_ = true;
      } else if ((pos->flags & SWP_HIDEWINDOW) && IsWindowVisible(Handle) &&
                 HideAnimationWanted()) {
        TakeHideSnapshot();
      }
      return false;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      const UINT flags = pos ? pos->flags : 0;
      TveScrollWnd::HandleMessage(message);
      if ((flags & SWP_SHOWWINDOW) && showPending_) {
        showPending_ = false;
        const TveDialogShow& show = SkinManager->AnimEffects.DialogShow;
        if (!AnimateDialogShow(*this, show.Time, 255, show.Mode)) {
          SetWindowLongA(Handle, GWL_EXSTYLE, GetWindowLongA(Handle, GWL_EXSTYLE) & ~WS_EX_LAYERED);
          RedrawWindow(Handle, nullptr, nullptr, kRedrawWhole);
        }
      } else if (flags & SWP_HIDEWINDOW) {
        if (HideCover && HideAnimationWanted())
          AnimateDialogHide(*this);
        else
          DropHideCover();
      }
      return true;
    }
    default:
      return false;
  }
}
