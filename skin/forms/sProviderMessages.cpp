// The provider's side of the form's messages: skin commands, non-client painting and hit
// testing, activation, the title buttons and the system menu, and the client background.
#include <windowsx.h>

#include "framework/Application.h"
#include "skin/data/sSkinCommands.h"
#include "skin/forms/sControlFades.h"
#include "skin/forms/sCtrlAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"

using namespace fw;

namespace {

// Probes that other window procedures answer; the provider answers them with 0 itself.
constexpr UINT kProbeB04C = 0xB04C;
constexpr UINT kProbeBC4D = 0xBC4D;
constexpr UINT kPopupSystemMenu = 0x0313;

bool IsTitleElement(int code) {
  return code == kHitMinButton || code == kHitMaxButton || code == kHitClose || code == kHitHelp ||
         code >= kHitUserButton;
}

POINT CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

// The screen point a mouse message carries: client coordinates for client messages (what the
// captured mouse sends), screen coordinates for non-client ones.
POINT MessagePoint(HWND wnd, const TMessage& message) {
  POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  if (message.Msg != WM_NCLBUTTONUP) ClientToScreen(wnd, &p);
  return p;
}

}  // namespace

// The platform paints the caption itself when its text or icon changes; running its handler with
// the window marked invisible keeps it from painting, so the native caption never flashes.
void TsSkinProvider::CallHidden(TMessage& message) {
  HWND wnd = form_->Handle();
  LONG style = GetWindowLongA(wnd, GWL_STYLE);
  bool visible = style & WS_VISIBLE;
  if (visible) SetWindowLongA(wnd, GWL_STYLE, style & ~WS_VISIBLE);
  CallSaved(message);
  if (visible) SetWindowLongA(wnd, GWL_STYLE, GetWindowLongA(wnd, GWL_STYLE) | WS_VISIBLE);
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
        buttons_.Reset();
        InitSkin();
      }
      return true;
    case CmdSkinRemoved:
      if (!ours || form_->Destroying()) return true;
      titleAnimations_.clear();
      SkinRemoved();
      return true;
    case CmdAdoptAgain:
      if (!message.LParam) adoptPosted_ = false;
      AdoptControls(reinterpret_cast<fw::TWinControl*>(message.LParam));
      return true;
    case CmdGetBg:
      if (!Skinned()) return false;
      AnswerBackground(message);
      return true;
    case CmdGetBgColor:
      message.Result = skinData_->GetBgColor(0, form_->Handle());
      return true;
    case CmdGetClientOffset: {
      TPoint offset = ClientOffsetInImage();
      message.Result = MAKELONG(offset.X, offset.Y);
      return true;
    }
    case CmdRepaintFrame:
      if (message.LParam == 1) skinData_->BgDirty = true;
      RepaintFrameNow();
      return true;
    case CmdLostHot:
      RepaintElements(buttons_.Reset());
      return true;
    default:
      return false;
  }
}

void TsSkinProvider::RepaintFrameNow() {
  if (!form_->HandleAllocated() || !IsWindowVisible(form_->Handle())) return;
  HDC dc = GetWindowDC(form_->Handle());
  PaintFrame(dc);
  ReleaseDC(form_->Handle(), dc);
}

void TsSkinProvider::NcActivate(TMessage& message) {
  activeLook_ = message.WParam != 0;
  skinData_->BgDirty = true;
  // -1 tells the platform's handler not to repaint the frame: the skin paints it.
  message.LParam = -1;
  CallSaved(message);
  RepaintElements(buttons_.Reset());
  RepaintFrameNow();
  if (border_) border_->PlaceLater();
}

void TsSkinProvider::NcButtonDown(TMessage& message) {
  int code = static_cast<int>(message.WParam);
  if (code < 0) {  // in the border window's shadow: nothing of the form's
    message.Result = 0;
    return;
  }
  if (code >= kHitTitleItem) {
    TitleItemDown(code);
    message.Result = 0;
    return;
  }
  if (IsTitleElement(code)) {
    RepaintElements(buttons_.Press(code, ElementEnabled(code)));
    UpdateUserHint(0);
    if (buttons_.ButtonPressed()) {
      SetCapture(form_->Handle());
      RaiseUserMouse(code, true);
    }
    message.Result = 0;
    return;
  }
  if (code == kHitSysMenu) {
    RECT window;
    GetWindowRect(form_->Handle(), &window);
    ShowSystemMenu(window.left + paint_.Layout.IconRect.Left - imageOrigin_.X,
                   window.top + paint_.Layout.TitleBottom - imageOrigin_.Y);
    message.Result = 0;
    return;
  }
  RepaintElements(buttons_.Reset());
  // With full-window dragging on, the platform would move the real window: the outline goes
  // instead. Otherwise the platform's own outline is the same thing.
  BOOL fullDrag = FALSE;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
  bool sizing = code >= kHitLeft && code <= kHitBottomRight && paint_.Form.ThickFrame;
  if (OutlineDragging() && fullDrag && !paint_.Form.Maximized && (code == kHitCaption || sizing)) {
    WPARAM command = code == kHitCaption ? SC_MOVE | HTCAPTION : SC_SIZE | WPARAM(code - 9);
    SendMessageA(form_->Handle(), WM_SYSCOMMAND, command, message.LParam);
    message.Result = 0;
    return;
  }
  if (code == kHitCaption && BlendOnMovingAllowed()) {
    StartBlendMoving(message.LParam);
    message.Result = 0;
    return;
  }
  CallSaved(message);
}

void TsSkinProvider::ReleaseButton(POINT screen) {
  std::vector<int> changed;
  int pressed = buttons_.Pressed();
  TsTitleCommand command =
      buttons_.Release(HitTest(screen), paint_.Form.Minimized, paint_.Form.Maximized, changed);
  if (GetCapture() == form_->Handle()) ReleaseCapture();
  // Before the states are shown: a released item still knows it was pressed.
  if (command == TsTitleCommand::TitleItem) TitleItemMouse(pressed, false);
  RepaintElements(changed);
  if (command == TsTitleCommand::UserButton) RaiseUserMouse(pressed, false);
  RunTitleCommand(command);
}

bool TsSkinProvider::HandleMouse(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      if (!buttons_.ButtonPressed()) return false;
      RepaintElements(buttons_.Drag(HitTest(MessagePoint(form_->Handle(), message))));
      return true;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
      if (!buttons_.ButtonPressed()) return false;
      ReleaseButton(MessagePoint(form_->Handle(), message));
      return true;
    case WM_CAPTURECHANGED:
      if (buttons_.ButtonPressed()) RepaintElements(buttons_.Reset());
      return false;
    case WM_NCMOUSEMOVE: {
      int code = static_cast<int>(message.WParam);
      if (IsTitleElement(code)) {
        RepaintElements(buttons_.SetHot(code));
        if (!buttons_.ButtonPressed()) UpdateUserHint(code);
        // The border window watches for the mouse leaving it itself.
        if (border_) return true;
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE | TME_NONCLIENT;
        track.hwndTrack = form_->Handle();
        TrackMouseEvent(&track);
        return true;
      }
      RepaintElements(buttons_.SetHot(0));
      UpdateUserHint(0);
      return false;
    }
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
      UpdateUserHint(0);
      if (!buttons_.ButtonPressed()) RepaintElements(buttons_.SetHot(0));
      return false;
    default:
      return false;
  }
}

bool TsSkinProvider::HandleNonClient(TMessage& message) {
  bool mouse = message.Msg == WM_NCLBUTTONDOWN || message.Msg == WM_NCLBUTTONUP ||
               message.Msg == WM_NCLBUTTONDBLCLK || message.Msg == WM_NCRBUTTONDOWN ||
               message.Msg == WM_NCRBUTTONUP;
  // The border window passes its clicks on without a code: the element under the mouse is
  // looked up here.
  if (border_ && mouse && message.WParam == WPARAM(-1))
    message.WParam =
        WPARAM(LRESULT(HitTest({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)})));
  switch (message.Msg) {
    case WM_NCPAINT: {
      HDC dc = GetWindowDC(form_->Handle());
      PaintFrame(dc);
      ReleaseDC(form_->Handle(), dc);
      message.Result = 0;
      return true;
    }
    case WM_NCACTIVATE:
      NcActivate(message);
      return true;
    case WM_NCHITTEST: {
      // With a border window the form shows only its menu band and client: the platform knows.
      if (border_) return false;
      if (OnExtHitTest) {
        LRESULT result = 0;
        OnExtHitTest(message, result);
        if (result) {
          message.Result = result;
          return true;
        }
      }
      POINT screen = {GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      int code = HitTest(screen);
      // A disabled title element is answered as client: pressing it neither drags nor clicks.
      RECT window;
      GetWindowRect(form_->Handle(), &window);
      bool inTitle = screen.y - window.top < paint_.Layout.TitleBottom;
      if (IsTitleElement(code) || code == kHitSysMenu || (code == kHitClient && inTitle) ||
          (code == kHitBottomRight && paint_.GripShown)) {
        message.Result = code;
        return true;
      }
      return false;
    }
    case WM_NCLBUTTONDOWN:
      NcButtonDown(message);
      return true;
    case WM_NCLBUTTONDBLCLK: {
      int code = static_cast<int>(message.WParam);
      if (IsTitleElement(code)) {
        NcButtonDown(message);
      } else if (code == kHitCaption) {
        const TsTitleButtonRules& r = paint_.Inputs.Rules;
        bool restore = paint_.Form.Maximized || paint_.Form.Minimized;
        if (restore ? r.EnabledRestore || paint_.Form.Minimized : r.EnabledMax)
          SendMessageA(form_->Handle(), WM_SYSCOMMAND, restore ? SC_RESTORE : SC_MAXIMIZE, 0);
      } else if (code == kHitSysMenu) {
        PostMessageA(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      message.Result = 0;
      return true;
    }
    case WM_NCRBUTTONDOWN:
      return message.WParam == HTCAPTION || message.WParam == HTSYSMENU;
    case WM_NCRBUTTONUP:
      if (message.WParam != HTCAPTION && message.WParam != HTSYSMENU) return false;
      ShowSystemMenu(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
      return true;
    case kPopupSystemMenu: {
      POINT p = CursorPos();
      ShowSystemMenu(p.x, p.y);
      return true;
    }
    default:
      return HandleMouse(message);
  }
}

void TsSkinProvider::SnapToWorkArea(WINDOWPOS& pos) {
  // A move that keeps the size need not carry it: the window's own size is the one that lands.
  int cx = pos.cx, cy = pos.cy;
  if (pos.flags & SWP_NOSIZE) {
    RECT now;
    GetWindowRect(form_->Handle(), &now);
    cx = now.right - now.left;
    cy = now.bottom - now.top;
  }
  RECT target{pos.x, pos.y, pos.x + cx, pos.y + cy};
  HMONITOR monitor = MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return;
  const RECT& area = info.rcWork;
  auto snap = [this](int& coordinate, int edge, int offset) {
    if (std::abs(coordinate + offset - edge) < SnapBuffer) coordinate = edge - offset;
  };
  // With a border window its frame, not the form's, meets the edges.
  int h = 0, v = 0;
  if (border_) {
    h = HorizontalExtra(borderFrame_) + borderFrame_.AlignOffset;
    v = TopExtra(borderFrame_) + borderFrame_.AlignOffset;
  }
  snap(pos.x, area.right, cx + h);
  snap(pos.y, area.bottom, cy + h);
  snap(pos.x, area.left, -h);
  snap(pos.y, area.top, -v);
}

// New controls are adopted as they come. A platform control's window announces itself before
// the framework knows its handle, so that adoption waits until the creation is over.
void TsSkinProvider::WatchChildren(const TMessage& message) {
  switch (message.Msg) {
    case WM_PARENTNOTIFY:
      // Many children made in a row are adopted in one walk.
      if (LOWORD(message.WParam) == WM_CREATE && !adoptPosted_)
        adoptPosted_ =
            PostMessageA(form_->Handle(), SkinCommandMsg, SkinCommandParam(CmdAdoptAgain), 0);
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

// The main form's minimise and restore are animated by the skin manager's watch on it; every
// other form animates its own. Answers whether the command was carried out here.
bool TsSkinProvider::MinimizeCommand(WPARAM command) {
  if (form_ == Application.MainForm() || !MinimizeAnimationAllowed()) return false;
  switch (command & 0xFFF0) {
    case SC_MINIMIZE:
      if (IsIconic(form_->Handle())) return false;
      StartMinimizeAnimation();
      return true;
    case SC_RESTORE:
      return IsIconic(form_->Handle()) && StartRestoreAnimation();
    default:
      return false;
  }
}

void TsSkinProvider::WndProc(TMessage& message) {
  if (message.Msg == SkinCommandMsg) {
    if (!HandleSkinCommand(message)) CallSaved(message);
    return;
  }
  bool skinned = Skinned();
  if (!skinned && SkinManager() && SkinManager()->Active() && form_->HandleAllocated() &&
      (message.Msg == WM_NCPAINT || message.Msg == WM_NCHITTEST || message.Msg == WM_SHOWWINDOW)) {
    InitSkin();  // the first chance after the window exists
    skinned = Skinned();
  }
  if (!skinned) {
    CallSaved(message);
    if (message.Msg == WM_CREATE) InitSkin();
    return;
  }
  WatchChildren(message);
  // A title-button fade belongs to the place and look the form had.
  if ((message.Msg == WM_WINDOWPOSCHANGED &&
       (reinterpret_cast<const WINDOWPOS*>(message.LParam)->flags &
        (SWP_NOMOVE | SWP_HIDEWINDOW)) != SWP_NOMOVE) ||
      (message.Msg == WM_SHOWWINDOW && !message.WParam))
    StopTitleAnimations();
  if (HandleAnimationMessage(message)) return;
  if (HandleOutline(message)) return;
  if (drawNonClient_ && HandleNonClient(message)) return;
  if (HandleWindowMessage(message)) return;
  switch (message.Msg) {
    case WM_SETTEXT:
    case WM_SETICON:
      if (!drawNonClient_) break;
      captionGlows_ = {};
      CallHidden(message);
      skinData_->BgDirty = true;
      RepaintFrameNow();
      return;
    case WM_SYSCOMMAND:
      if (MinimizeCommand(message.WParam)) return;
      if ((((message.WParam & 0xFFF0) == SC_SIZE &&
            (GetWindowLongA(form_->Handle(), GWL_STYLE) & WS_THICKFRAME)) ||
           (message.WParam & 0xFFF0) == SC_MOVE) &&
          OutlineDragging() && !IsZoomed(form_->Handle())) {
        // The platform's sizing command names the border in its low bits; from the menu, the
        // bottom-right corner follows the mouse.
        WPARAM edge = message.WParam & 0xF;
        StartOutlineDrag((message.WParam & 0xFFF0) == SC_MOVE ? kHitCaption
                         : edge                               ? int(9 + edge)
                                                              : kHitBottomRight,
                         message.LParam);
        return;
      }
      if ((message.WParam & 0xFFF0) == SC_KEYMENU && message.LParam == ' ' && drawNonClient_) {
        RECT window;
        GetWindowRect(form_->Handle(), &window);
        ShowSystemMenu(window.left + paint_.Layout.IconRect.Left - imageOrigin_.X,
                       window.top + paint_.Layout.TitleBottom - imageOrigin_.Y);
        return;
      }
      {
        // Closing may release the form and this provider with it.
        std::shared_ptr<bool> alive = alive_;
        CallSaved(message);
        if (*alive) RepaintElements(buttons_.Reset());
        return;
      }
    case CM_MENUCHANGED:
    case WM_SETTINGCHANGE:
      if (message.Msg == WM_SETTINGCHANGE && message.WParam == SPI_SETWORKAREA && flight_)
        flight_->Retarget(MinimizeTarget(form_->Handle()));
      CallSaved(message);
      captionGlows_ = {};
      skinData_->BgDirty = true;
      RepaintFrameNow();
      return;
    case CM_VISIBLECHANGED:
      CallSaved(message);
      // A hidden form keeps no picture; showing it paints a new one.
      if (!message.WParam) {
        skinData_->CacheBitmap->Resize(0, 0);
        skinData_->BgDirty = true;
      }
      UpdateBorderForm();
      return;
    case WM_WINDOWPOSCHANGED:
      CallSaved(message);
      // A hiding form never comes here: its animation messages freed the border window.
      if (border_) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
        border_->Update(false, BorderAlpha());
        if (pos && !(pos->flags & SWP_NOZORDER)) border_->PlaceLater();
      }
      return;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (border_) border_->RestoreShape();
      break;
    case WM_SIZE:
    case WM_ENABLE:
      CallSaved(message);
      if (message.Msg == WM_SIZE) captionGlows_ = {};
      skinData_->BgDirty = true;
      regionDirty_ = true;
      RepaintFrameNow();
      return;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
      if (ScreenSnap && pos && !(pos->flags & SWP_NOMOVE) && !IsZoomed(form_->Handle()) &&
          IsWindowVisible(form_->Handle()))
        SnapToWorkArea(*pos);
      break;
    }
    case WM_ERASEBKGND:
      if (!DrawClientArea) break;
      EraseClient(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return;
    case WM_QUERYENDSESSION:
      WaitForControlFades();
      break;
    case WM_ENTERIDLE:
    case kProbeB04C:
    case kProbeBC4D:
      message.Result = 0;
      return;
    default:
      break;
  }
  CallSaved(message);
}
