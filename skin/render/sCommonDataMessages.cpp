// How a control's skin state follows its host: moves, sizes, focus, hover, enabling and
// visibility. None of these messages is finished here except the user-interface-state change of
// a skinned control, whose default handling would draw focus marks over the skin.
#include "skin/data/sSkinCommands.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sControlKinds.h"
#include "skin/render/sHostNotifications.h"
#include "skin/render/sManagerLink.h"

namespace {

void RepaintFrame(HWND window) {
  if (window) SendMessageA(window, WM_NCPAINT, 1, 0);
}

void AskForMouseLeave(HWND window) {
  if (!window) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
}

}  // namespace

// A skinned editor shows the colour of its state (0 normal, 1 focused or hovered) unless it
// keeps its own colour.
void TsCommonData::EditorColor(int state) {
  const TsGeneralData* section = Section();
  if (CustomColor || !HostControl || !section) return;
  const int32_t color = section->States[size_t(state)].Color;
  if (HostControl->Color() != color) HostControl->SetColor(color);
}

bool TsCommonData::IsSkinnedEditor() const {
  const TsGeneralData* section = Section();
  return IsSkinned() && IsEditorKind(ControlKind) && section->StateCount >= 2;
}

void TsCommonData::FocusChanged(bool focused) {
  if (!WindowedHost()) return;
  SetBgDirty(true);
  IsFocused = focused;
  if (!IsSkinnedEditor()) return;
  EditorColor(focused ? 1 : 0);
  if (HWND window = HostWindow()) InvalidateRect(window, nullptr, TRUE);
}

void TsCommonData::MouseEntered() {
  if (HostControl && HostControl->ComponentState() & fw::csDesigning) return;
  if (!IsContainerKind(ControlKind)) IsMouseOver = true;
  if (!IsSkinned()) return;
  if (const auto& hovered = ManagerLink().Hovered) hovered(*GetSkinManager(), HostControl);
  if (!IsNoGlowKind(ControlKind)) ShowGlowFor(false, nullptr);
  if (!IsSkinnedEditor()) return;
  SetBgDirty(true);
  EditorColor(1);
  RepaintFrame(HostWindow());
}

void TsCommonData::MouseLeft() {
  if (HostControl && HostControl->ComponentState() & fw::csDesigning) return;
  // Cleared also while unskinned: a flag left set would show the control hot once a skin loads.
  if (!IsContainerKind(ControlKind)) IsMouseOver = false;
  if (!IsSkinned()) return;
  if (!IsNoGlowKind(ControlKind)) ShowGlowFor(true, nullptr);
  if (!IsSkinnedEditor()) return;
  if (!IsFocused) EditorColor(0);
  if (HostControl && HostControl->Visible()) {
    SetBgDirty(true);
    RepaintFrame(HostWindow());
  }
}

void TsCommonData::VisibilityChanged(bool visible) {
  if (!IsSkinned(true) || !HostControl || HostControl->Destroying() || !CacheBitmap) return;
  if (visible) {
    Deferred = false;
  } else {
    EmptyCache();
    if (fw::TWinControl* windowed = WindowedHost())
      for (int i = 0; i < windowed->ControlCount(); ++i)
        SendSkinCommand(windowed->Controls(i), CmdClearCache, 0);
  }
  SetBgDirty(true);
}

bool TsCommonData::HandleMessage(fw::TMessage& message) {
  const UINT msg = message.Msg;
  if (msg == SkinCommandMsg) return HandleSkinCommand(message);
  fw::TWinControl* windowed = WindowedHost();
  switch (msg) {
    case WM_MOVE:
      if (NeedsParentRepaint()) {
        SetBgDirty(true);
        if (HostControl) SendSkinCommand(HostControl, CmdRepaintBg, 0, 1);
      }
      ShowGlowFor(true, nullptr);
      break;
    case WM_SIZE:
      if (!IsSkinned()) break;
      SetBgDirty(true);
      if (windowed && Section()->States[0].GradientPercent > 0)
        for (int i = 0; i < windowed->ControlCount(); ++i)
          if (!windowed->Controls(i)->Destroying())
            SendSkinCommand(windowed->Controls(i), CmdRepaintBg, 0, 1);
      ShowGlowFor(true, nullptr);
      break;
    case WM_SETFOCUS:
      FocusChanged(true);
      break;
    case WM_KILLFOCUS:
      FocusChanged(false);
      break;
    case WM_UPDATEUISTATE:
      if (IsSkinned()) {
        message.Result = 0;
        return true;
      }
      break;
    case WM_PARENTNOTIFY:
      if (LOWORD(message.WParam) == WM_CREATE || LOWORD(message.WParam) == WM_DESTROY)
        NotifyFormAdopt(HostControl);
      break;
    default:
      break;
  }
  const TsHostNotifications& n = kHostNotifications;
  if (msg == WM_FONTCHANGE || msg == n.EnabledChanged) {
    IsMouseOver = IsFocused = false;
    if (HostControl && !HostControl->Enabled()) ShowGlowFor(true, nullptr);
  }
  if (msg == n.VisibleChanged) VisibilityChanged(message.WParam != 0);
  if (msg == n.ShowingChanged && HostControl && HostControl->Visible()) Refresh();
  if (msg == n.MouseEnter && !(n.EnterFromMouseMove && IsMouseOver)) {
    MouseEntered();
    if (n.EnterFromMouseMove) AskForMouseLeave(HostWindow());
  }
  if (msg == n.MouseLeave) MouseLeft();
  return false;
}
