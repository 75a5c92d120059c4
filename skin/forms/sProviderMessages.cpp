// The provider's side of the form's messages: the order in which its handlers see them, the
// skin commands, and the watchers that see every message.
//
// The order, each stage answering the message or leaving it to the next, and what none answers
// going to the form's saved WindowProc:
//  1. Skin commands, answered whether the form is skinned or not.
//  2. Until the skin is on the form the form handles everything itself; the first message after
//     its window exists that paints or hit-tests the frame, or shows the form, puts it on.
//  3. Watchers that answer nothing: new children are adopted, and title-button fades stop when
//     the form moves or hides (they belong to the place and look the form had).
//  4. Show and hide animations: while they run they own the form's showing and hiding.
//  5. Outline moving and sizing: while it runs it owns the mouse.
//  6. The frame, while the provider draws it: non-client painting, activation, hit tests, the
//     title buttons and the system menu.
//  7. The window's life: maximised placement, printing, style changes, a window made again, the
//     wheel, the skin editor.
//  8. The form's state: caption and icon, system commands, size and place, the background.
#include <windowsx.h>

#include "skin/data/sSkinCommands.h"
#include "skin/forms/sCtrlAdapter.h"
#include "skin/forms/sSkinProvider.h"

using namespace fw;

void TsSkinProvider::WndProc(TMessage& message) {
  if (message.Msg == SkinCommandMsg) {
    if (!HandleSkinCommand(message)) CallSaved(message);
    return;
  }
  if (!TakeSkin(message)) return;
  WatchChildren(message);
  StopFadesOfTheOldPlace(message);
  using TStage = bool (TsSkinProvider::*)(TMessage&);
  static constexpr TStage kStages[] = {
      &TsSkinProvider::HandleAnimationMessage, &TsSkinProvider::HandleOutline,
      &TsSkinProvider::HandleFrameMessage, &TsSkinProvider::HandleWindowMessage,
      &TsSkinProvider::HandleStateMessage};
  // A stage's call-outs (a title item's events, the form's own handling) may free the form.
  TLifeToken alive = life_.Token();
  for (TStage stage : kStages)
    if ((this->*stage)(message) || !alive) return;
  CallSaved(message);
}

bool TsSkinProvider::TakeSkin(TMessage& message) {
  if (Skinned()) return true;
  if (SkinManager() && SkinManager()->Active() && form_->HandleAllocated() &&
      (message.Msg == WM_NCPAINT || message.Msg == WM_NCHITTEST || message.Msg == WM_SHOWWINDOW)) {
    InitSkin();  // the first chance after the window exists
    if (Skinned()) return true;
  }
  if (CallSaved(message) && message.Msg == WM_CREATE) InitSkin();
  return false;
}

bool TsSkinProvider::HandleSkinCommand(TMessage& message) {
  TsSkinManager* manager = SkinManager();
  bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == manager;
  switch (HIWORD(message.WParam)) {
    case CmdGetProvider:
      message.Result = reinterpret_cast<LRESULT>(this);
      return true;
    case CmdIsSkinned:
      message.Result = 1;
      return true;
    case CmdSkinLoaded:
    case CmdSkinRefresh:
      if (ours && !form_->Destroying()) {
        StopTitleAnimations();
        frame_.Buttons().Reset();
        InitSkin();
      }
      return true;
    case CmdSkinRemoved:
      if (!ours || form_->Destroying()) return true;
      titleAnimations_.clear();
      SkinRemoved();
      return true;
    // Children ask whether the form's background is plain, varies, or must wait. The window
    // image being out of date is no reason to wait: the background is painted when asked for.
    case CmdGetSkinState:
    case CmdIsBgComplex:
      return skinData_->HandleSkinCommand(message);
    case CmdIsDeferred:
      message.Result = skinData_->IsDeferred();
      return true;
    case CmdAdoptAgain:
      if (LOWORD(message.WParam) == kAdoptWhenMade) {
        AdoptAfterCreation();
        return true;
      }
      if (!message.LParam) adoptPosted_ = false;
      AdoptControls(reinterpret_cast<fw::TWinControl*>(message.LParam));
      return true;
    default:
      return frame_.AnswerSkinCommand(message);
  }
}

// New controls are adopted as they come. A platform control's window announces itself before
// the framework knows its handle, so that adoption waits until the creation is over.
void TsSkinProvider::WatchChildren(const TMessage& message) {
  switch (message.Msg) {
    case WM_PARENTNOTIFY:
      if (LOWORD(message.WParam) == WM_CREATE) AdoptAfterCreation();
      break;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(message.LParam)->code == UINT(-551)) AdoptControls();
      break;
    case CM_CONTROLLISTCHANGE:
      if (adapter_ && message.LParam)
        if (auto* control = reinterpret_cast<TControl*>(message.WParam); control->IsWindowed())
          adapter_->AddNewItem(control);
      break;
    default:
      break;
  }
}

// Many children made in a row are adopted in one walk.
void TsSkinProvider::AdoptAfterCreation() {
  if (!adoptPosted_)
    adoptPosted_ =
        PostMessageA(form_->Handle(), SkinCommandMsg, SkinCommandParam(CmdAdoptAgain), 0);
}

void TsSkinProvider::StopFadesOfTheOldPlace(const TMessage& message) {
  bool moved = message.Msg == WM_WINDOWPOSCHANGED &&
               (reinterpret_cast<const WINDOWPOS*>(message.LParam)->flags &
                (SWP_NOMOVE | SWP_HIDEWINDOW)) != SWP_NOMOVE;
  if (moved || (message.Msg == WM_SHOWWINDOW && !message.WParam)) StopTitleAnimations();
}
