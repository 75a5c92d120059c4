// The provider's side of the form's window life: maximised placement, printing into a device
// context, style changes, a window made again, the mouse wheel, and the skin editor of preview
// mode.
#include <windowsx.h>

#include <algorithm>

#include "framework/Application.h"
#include "skin/data/sSkinManager.h"
#include "skin/forms/sFrameMetrics.h"
#include "skin/forms/sPreviewLink.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"

using namespace fw;

void TsSkinProvider::FitMaximized(MINMAXINFO& info) {
  HWND wnd = form_->Handle();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  LONG style = GetWindowLongA(wnd, GWL_STYLE);
  TsFormShape shape;
  shape.ThickFrame = style & WS_THICKFRAME;
  shape.HasBorder = style & (WS_BORDER | WS_DLGFRAME);
  auto rect = [](const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; };
  // A border window's title taller than the platform's caption would leave the screen at the
  // top: the form goes lower by as much, and the title loses only its edge.
  int excess = 0;
  if (border_ && borderFrame_.NativeCaption > 0) {
    const TsSkinData& g = Skin().GlobalInfo;
    int title = g.MaxHeight ? g.MaxHeight : g.TitleHeight;
    excess = std::max(0, title - (FrameMetricsAt(dpi_).CyCaption + 4));
  }
  TsMaxPlacement place = MaximizedPlacement(rect(monitor.rcMonitor), rect(monitor.rcWork),
                                            NativeFrameWidth(shape, FrameMetricsAt(dpi_)), excess);
  info.ptMaxPosition = {place.Position.X, place.Position.Y};
  info.ptMaxSize = {place.Size.X, place.Size.Y};
}

bool TsSkinProvider::PrintWindow(HDC dc, LPARAM flags) {
  if (form_->Destroying() || !RebuildWindowImage()) return false;
  if (flags & PRF_NONCLIENT) PaintFrame(dc);
  if (!(flags & (PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN))) return true;
  // The client, with its own painting and its children, lands where it lies in the window; with
  // a border window the image is the larger window of the skin's frame, the form's corner lying
  // at the image's origin inside it.
  TPoint offset = ClientOffsetInImage();
  offset.X -= imageOrigin_.X;
  offset.Y -= imageOrigin_.Y;
  int saved = SaveDC(dc);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x + offset.X, origin.y + offset.Y, nullptr);
  IntersectClipRect(dc, 0, 0, paint_.Form.ClientWidth, paint_.Form.ClientHeight);
  if (flags & (PRF_CLIENT | PRF_ERASEBKGND)) EraseClient(dc);
  if (flags & PRF_CLIENT) {
    TMessage client{WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT, 0};
    if (!CallSaved(client)) {
      RestoreDC(dc, saved);
      return true;
    }
  }
  if (flags & PRF_CHILDREN)
    for (int i = 0; i < form_->ControlCount(); ++i) {
      TControl* c = form_->Controls(i);
      auto* windowed = c->IsWindowed() ? static_cast<TWinControl*>(c) : nullptr;
      if (windowed && windowed->Visible() && windowed->HandleAllocated())
        windowed->PaintTo(dc, c->Left(), c->Top());
    }
  RestoreDC(dc, saved);
  return true;
}

void TsSkinProvider::ForwardWheel(const TMessage& message) {
  // The focused control passed the wheel on to the form: it has no use for it. The control
  // under the mouse gets it instead, once (its own refusal comes back here).
  static bool forwarding = false;
  if (forwarding) return;
  POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  HWND wnd = form_->Handle(), target = WindowFromPoint(at);
  if (!target || target == GetFocus() || !IsChild(wnd, target)) return;
  forwarding = true;
  SendMessageA(target, WM_MOUSEWHEEL, message.WParam, message.LParam);
  forwarding = false;
}

void TsSkinProvider::TakeNewWindow() {
  // The new window starts with the platform's frame, its own system menu and no region.
  systemMenuStyleCleared_ = false;
  regionApplied_ = false;
  if (systemMenu_) systemMenu_->TakePlatformMenu();
  InitSkin();
  if (PreviewMode && Application.MainForm() == form_) RegisterWithEditor(form_->Handle());
}

bool TsSkinProvider::HandleWindowMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_GETMINMAXINFO:
      if (drawNonClient_ && !(GetWindowLongA(form_->Handle(), GWL_STYLE) & WS_CHILD) &&
          form_->BorderStyle() != TFormBorderStyle::bsNone && message.LParam)
        FitMaximized(*reinterpret_cast<MINMAXINFO*>(message.LParam));
      CallSaved(message);
      return true;
    case WM_PRINT:
      if (!PrintWindow(reinterpret_cast<HDC>(message.WParam), message.LParam)) CallSaved(message);
      return true;
    case WM_STYLECHANGED: {
      if (!CallSaved(message)) return true;
      const auto* change = reinterpret_cast<const STYLESTRUCT*>(message.LParam);
      // Hiding the system menu from the platform changes that bit alone; any other change of
      // the frame's style shows in the frame.
      if (static_cast<int>(message.WParam) != GWL_STYLE || !change ||
          !((change->styleOld ^ change->styleNew) & ~WS_SYSMENU))
        return true;
      SetSystemMenuStyle(drawNonClient_);
      regionDirty_ = true;
      skinData_->SetBgDirty(true);
      RepaintFrameNow();
      return true;
    }
    case WM_CREATE:
      if (CallSaved(message)) TakeNewWindow();
      return true;
    case WM_MOUSEWHEEL:
      if (CallSaved(message)) ForwardWheel(message);
      return true;
    case WM_COPYDATA: {
      static bool loading = false;
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(message.LParam);
      if (!PreviewMode || form_->Handle() != PreviewWindow() || loading || !data ||
          message.WParam != kPreviewDataKind || !SkinManager())
        return false;
      loading = true;
      message.Result = SkinManager()->LoadPreviewData(data->lpData, data->cbData);
      loading = false;
      return true;
    }
    case kPreviewEditorMsg:
      if (message.WParam == kPreviewClose) {
        form_->Close();
        return true;
      }
      if (message.WParam != kPreviewProbe) return false;
      message.Result = 1;
      return true;
    case CM_SHOWINGCHANGED:
      if (!CallSaved(message)) return true;
      if (message.WParam) AdoptControls();
      if (message.WParam && PreviewMode && Application.MainForm() == form_)
        RegisterWithEditor(form_->Handle());
      return true;
    default:
      return false;
  }
}
