// The provider's side of the form's state: caption and icon, system commands, size and place
// (with the snap to the work area's edges), visibility, enabling, settings, and the client
// background.
#include <cstdlib>

#include "framework/Application.h"
#include "skin/forms/sControlFades.h"
#include "skin/forms/sSkinProvider.h"

using namespace fw;

namespace {

// Probes that other window procedures answer; the provider answers them with 0 itself.
constexpr UINT kProbeB04C = 0xB04C;
constexpr UINT kProbeBC4D = 0xBC4D;

}  // namespace

bool TsSkinProvider::HandleStateMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SETTEXT:
    case WM_SETICON:
      if (!drawNonClient_) return false;
      captionGlows_ = {};
      if (!frame_.PassOnHidden(message)) return true;
      skinData_->SetBgDirty(true);
      RepaintFrameNow();
      return true;
    case WM_SYSCOMMAND:
      return HandleSystemCommand(message);
    case CM_MENUCHANGED:
    case WM_SETTINGCHANGE:
      if (message.Msg == WM_SETTINGCHANGE && message.WParam == SPI_SETWORKAREA && flight_)
        flight_->Retarget(MinimizeTarget(form_->Handle()));
      if (!CallSaved(message)) return true;
      captionGlows_ = {};
      skinData_->SetBgDirty(true);
      RepaintFrameNow();
      return true;
    case CM_VISIBLECHANGED:
      if (!CallSaved(message)) return true;
      // A hidden form keeps no picture; showing it paints a new one.
      if (!message.WParam) {
        skinData_->CacheBitmap->Resize(0, 0);
        skinData_->SetBgDirty(true);
      }
      UpdateBorderForm();
      return true;
    case WM_WINDOWPOSCHANGED:
      if (!CallSaved(message)) return true;
      // A hiding form never comes here: its animation messages freed the border window. A form
      // taking a new scale moves its border window once, when it is painted at the end.
      if (border_ && !form_->ScaleChanging()) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
        border_->Update(false, BorderAlpha());
        if (pos && !(pos->flags & SWP_NOZORDER)) border_->PlaceLater();
      }
      return true;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (border_) border_->RestoreShape();
      return false;
    case WM_SIZE:
    case WM_ENABLE:
      if (!CallSaved(message)) return true;
      if (message.Msg != WM_ENABLE) captionGlows_ = {};
      skinData_->SetBgDirty(true);
      regionDirty_ = true;
      // A form taking a new scale is painted once, when it has taken it.
      if (!form_->ScaleChanging()) RepaintFrameNow();
      return true;
    case WM_DPICHANGED:
      // The window is measured and painted anew at its new scale once the form has taken it; a
      // child asking for its background before that gets the picture at the new scale too.
      captionGlows_ = {};
      skinData_->SetBgDirty(true);
      regionDirty_ = true;
      if (!CallSaved(message)) return true;
      RepaintFrameNow();
      return true;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
      if (ScreenSnap && pos && !(pos->flags & SWP_NOMOVE) && !IsZoomed(form_->Handle()) &&
          IsWindowVisible(form_->Handle()))
        SnapToWorkArea(*pos);
      return false;
    }
    case WM_ERASEBKGND:
      if (!DrawClientArea) return false;
      // Shown transparent for its show animation, the form gets the animation's picture
      // afterwards, or is erased and painted then.
      if (!InAnimation) EraseClient(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return true;
    case WM_QUERYENDSESSION:
      WaitForControlFades();
      return false;
    case WM_ENTERIDLE:
    case kProbeB04C:
    case kProbeBC4D:
      message.Result = 0;
      return true;
    default:
      return false;
  }
}

bool TsSkinProvider::HandleSystemCommand(TMessage& message) {
  if (MinimizeCommand(message.WParam)) return true;
  WPARAM command = message.WParam & 0xFFF0;
  if (((command == SC_SIZE && (GetWindowLongA(form_->Handle(), GWL_STYLE) & WS_THICKFRAME)) ||
       command == SC_MOVE) &&
      OutlineDragging() && !IsZoomed(form_->Handle())) {
    // The platform's sizing command names the border in its low bits; from the menu, the
    // bottom-right corner follows the mouse.
    WPARAM edge = message.WParam & 0xF;
    StartOutlineDrag(command == SC_MOVE ? kHitCaption
                     : edge             ? int(9 + edge)
                                        : kHitBottomRight,
                     message.LParam);
    return true;
  }
  // Closing may release the form and this provider with it.
  if (CallSaved(message)) RepaintElements(frame_.Buttons().Reset());
  return true;
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

void TsSkinProvider::SnapToWorkArea(WINDOWPOS& pos) {
  // A move that keeps the size need not carry it: the window's own size is the one that lands.
  // A new size comes with the position of the edge that stays, so sizing is never snapped: the
  // window would jump instead of growing.
  RECT now;
  GetWindowRect(form_->Handle(), &now);
  const int cx = now.right - now.left, cy = now.bottom - now.top;
  if (!(pos.flags & SWP_NOSIZE) && (pos.cx != cx || pos.cy != cy)) return;
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
