#include "framework/Forms.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "framework/Application.h"
#include "framework/DeferredMoves.h"
#include "framework/OnThrow.h"
#include "framework/StdCtrls.h"
#include "platform/Dpi.h"
#include "platform/GdiScopes.h"

namespace fw {

namespace {

int ShowCommand(TWindowState state) {
  switch (state) {
    case TWindowState::wsMaximized:
      return SW_SHOWMAXIMIZED;
    case TWindowState::wsMinimized:
      return SW_SHOWMINIMIZED;
    case TWindowState::wsNormal:
      break;
  }
  return SW_SHOWNORMAL;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  Application.AddForm(this);
}

TForm::~TForm() {
  SetDestroying();
  Application.RemoveForm(this);
  if (menu_) menu_->OnChange = nullptr;
  // The menu belongs to the form's owner tree, not to the window: the platform must not
  // release it together with the window.
  if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
  if (Application.MainForm() == this) Application.SetMainForm(nullptr);
}

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  if (HandleAllocated()) {
    FitClient();
    return;
  }
  TCreateParams params;
  CreateParams(params);
  SetBounds(Left(), Top(), params.Width, params.Height);
}

void TForm::FitClient(UINT quietFlags) {
  // Measured rather than computed from the styles: a menu bar that wraps, or a frame that a
  // handler in front of the window procedure answers differently, takes another amount.
  RECT client;
  GetClientRect(Handle(), &client);
  int dw = clientWidth_ - client.right, dh = clientHeight_ - client.bottom;
  if (!dw && !dh) return;
  if (!quietFlags) {
    SetBounds(Left(), Top(), Width() + dw, Height() + dh);
    return;
  }
  RECT window;
  GetWindowRect(Handle(), &window);
  SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left + dw,
               window.bottom - window.top + dh, quietFlags | SWP_NOMOVE);
}

int TForm::ClientWidth() {
  return !HandleAllocated() && clientWidth_ > 0 ? clientWidth_ : TWinControl::ClientWidth();
}

int TForm::ClientHeight() {
  return !HandleAllocated() && clientHeight_ > 0 ? clientHeight_ : TWinControl::ClientHeight();
}

void TForm::SetBorderWidth(int width) {
  borderWidth_ = std::max(width, 0);
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TWindowState TForm::WindowState() {
  if (!HandleAllocated()) return windowState_;
  if (IsIconic(Handle())) return TWindowState::wsMinimized;
  if (IsZoomed(Handle())) return TWindowState::wsMaximized;
  return TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (HandleAllocated() && Visible()) ShowWindow(Handle(), ShowCommand(state));
}

void TForm::SetAlphaBlend(bool alphaBlend) {
  alphaBlend_ = alphaBlend;
  ApplyAlphaBlend();
}

void TForm::SetAlphaBlendValue(BYTE value) {
  alphaBlendValue_ = value;
  ApplyAlphaBlend();
}

void TForm::ApplyAlphaBlend() {
  if (!HandleAllocated()) return;
  LONG_PTR exStyle = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
  if (alphaBlend_) {
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle(), 0, alphaBlendValue_, LWA_ALPHA);
  } else if (exStyle & WS_EX_LAYERED) {
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_LAYERED));
  }
}

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  // The platform menu keeps its handle through changes; the bar is only redrawn.
  if (menu_)
    menu_->OnChange = [this] {
      if (HandleAllocated()) DrawMenuBar(Handle());
      Perform(CM_MENUCHANGED);
    };
  if (HandleAllocated()) ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
  Perform(CM_MENUCHANGED);
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == menu_) SetMenu(nullptr);
}

bool TForm::IsShortCut(TShortCut shortCut) {
  return menu_ && Enabled() && menu_->IsShortCut(shortCut);
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = ClassName();
  params.OwnClass = true;
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.ExStyle = WS_EX_CONTROLPARENT;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      params.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      params.Style |= WS_CAPTION | DS_MODALFRAME;
      params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (borderStyle_ != TFormBorderStyle::bsNone && (borderIcons_ & biSystemMenu)) {
    params.Style |= WS_SYSMENU;
    // Dialogs carry no minimise or maximise buttons, whatever their icons say.
    if (borderStyle_ != TFormBorderStyle::bsDialog) {
      if (borderIcons_ & biMinimize) params.Style |= WS_MINIMIZEBOX;
      if (borderIcons_ & biMaximize) params.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (alphaBlend_) params.ExStyle |= WS_EX_LAYERED;
  params.WndParent = ownerWnd_;
  params.Menu = menu_ ? menu_->Handle() : nullptr;
  if (clientWidth_ > 0 || clientHeight_ > 0) {
    RECT r{0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&r, params.Style, params.Menu != nullptr, params.ExStyle);
    params.Width = r.right - r.left + 2 * borderWidth_;
    params.Height = r.bottom - r.top + 2 * borderWidth_;
  }
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  // The window is made at the scale the form's lengths are at, then takes its monitor's. Its
  // children are made after this, at the new scale.
  ChangeScale(platform::WindowDpi(Handle()));
  ApplyAlphaBlend();
  if (clientWidth_ > 0 || clientHeight_ > 0) FitClient();
  // A window made again by RecreateWnd comes back as it was.
  if (Visible()) ShowWindow(Handle(), ShowCommand(windowState_));
}

void TForm::ScaleLengths(int fromDpi, int toDpi) {
  ScaleChildren(toDpi);
  clientWidth_ = scaledClientWidth_.Rescale(clientWidth_, fromDpi, toDpi);
  clientHeight_ = scaledClientHeight_.Rescale(clientHeight_, fromDpi, toDpi);
  borderWidth_ = scaledBorderWidth_.Rescale(borderWidth_, fromDpi, toDpi);
  ScaleFont(fromDpi, toDpi);
  if (!HandleAllocated()) {
    if (clientWidth_ > 0 || clientHeight_ > 0) SetClientSize(clientWidth_, clientHeight_);
    return;
  }
  // A scale change frames and sizes the window once, when every length is at the new scale.
  if (scaleChanging_) return;
  // The border band is part of the frame the platform measures.
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (clientWidth_ > 0 || clientHeight_ > 0) FitClient();
}

void TForm::DpiChanged(int dpi, const RECT& suggested) {
  // The children are placed together at the end, without painting; the form is sized without
  // painting and repainted once, whole, when the moves are made.
  TDeferredMoves moves(*this);
  constexpr UINT quiet =
      SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_DEFERERASE;
  scaleChanging_ = true;
  TOnThrow done([this] { scaleChanging_ = false; });
  ChangeScale(dpi);
  // The border band and the frame at the new scale are measured by the platform.
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, quiet | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
  // The suggestion scales the whole window, frame included; the client keeps its own size.
  int width = suggested.right - suggested.left, height = suggested.bottom - suggested.top;
  if (clientWidth_ > 0 || clientHeight_ > 0) {
    RECT window, client;
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    width = clientWidth_ + (window.right - window.left) - client.right;
    height = clientHeight_ + (window.bottom - window.top) - client.bottom;
  }
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, width, height, quiet);
  // A menu bar wrapped otherwise at the new width takes another height.
  if (clientWidth_ > 0 || clientHeight_ > 0) FitClient(quiet);
  scaleChanging_ = false;
}

void TForm::DestroyWnd() {
  // The menu belongs to the form's owner tree, not to the window: the platform must not
  // release it together with the window.
  ::SetMenu(Handle(), nullptr);
}

void TForm::PlaceWindow() {
  if (placed_) return;
  placed_ = true;
  RECT area;
  if (position_ == TPosition::poOwnerFormCenter && ownerWnd_) {
    GetWindowRect(ownerWnd_, &area);
  } else if (position_ == TPosition::poDesigned) {
    return;
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  int left = area.left + (area.right - area.left - Width()) / 2;
  int top = area.top + (area.bottom - area.top - Height()) / 2;
  SetBounds(std::max<int>(left, 0), std::max<int>(top, 0), Width(), Height());
}

void TForm::Show() {
  Handle();
  PlaceWindow();
  SetVisible(true);
  SetForegroundWindow(Handle());
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) ::SetFocus(first);
  UpdateWindow(Handle());
}

void TForm::Close() {
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (inModal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    return;
  }
  Hide();
  if (Application.MainForm() == this)
    Application.Terminate();
  else if (action == TCloseAction::caFree)
    Release();
}

TModalResult TForm::ShowModal() {
  HWND owner = GetActiveWindow();
  // The active window owns the form. A form whose window exists already (building its contents
  // can create it) is handed the owner now: unowned, it would get a taskbar button of its own
  // and could not be centred on its owner. Without an active window the form keeps its owner.
  if (owner && !(HandleAllocated() && owner == Handle())) {
    ownerWnd_ = owner;
    if (HandleAllocated())
      SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  }
  if (owner) EnableWindow(owner, FALSE);
  inModal_ = true;
  modalResult_ = mrNone;
  Show();
  while (modalResult_ == mrNone && Application.HandleMessage()) {
  }
  inModal_ = false;
  // The owner is enabled before the form hides, so that it, not another program, becomes
  // the active window.
  if (owner) EnableWindow(owner, TRUE);
  Hide();
  if (owner) SetActiveWindow(owner);
  return modalResult_;
}

void TForm::Release() {
  if (HandleAllocated())
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
  else
    delete this;
}

void TForm::DoCreate() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (const std::exception& error) {
    Application.ShowException(error);
  }
}

void TForm::DoPaint(HDC dc) {
  if (!OnPaint) return;
  TCanvas canvas(dc);
  TCanvas* previous = std::exchange(canvas_, &canvas);
  try {
    OnPaint(this);
  } catch (...) {
    canvas_ = previous;
    throw;
  }
  canvas_ = previous;
}

TCanvas& TForm::Canvas() {
  if (!canvas_) throw std::logic_error("The form's canvas exists only while it paints");
  return *canvas_;
}

void TForm::PaintWindow(HDC dc, UINT /*msg*/) {
  DoPaint(dc);
}

void TForm::PaintBorderBand() {
  // The band lies outside the client area, where the platform's frame painting leaves it.
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  POINT corner{0, 0};
  ClientToScreen(Handle(), &corner);
  OffsetRect(&client, corner.x - window.left, corner.y - window.top);
  RECT band = client;
  InflateRect(&band, borderWidth_, borderWidth_);
  platform::WindowDC dc(Handle(), true);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  TCanvas(dc).FillRect(band, Color());
}

bool TForm::HandleMenuMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_MEASUREITEM:
      message.Result =
          TMenu::MeasureItem(Handle(), *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam));
      return message.Result;
    case WM_DRAWITEM:
      message.Result = TMenu::DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam));
      return message.Result;
    case WM_INITMENUPOPUP:
      TMenu::InitPopup(reinterpret_cast<HMENU>(message.WParam));
      return false;
    default:
      return false;
  }
}

void TForm::ClickDefaultButton() {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* button = dynamic_cast<TButton*>(Components(i));
        button && button->Default() && button->Showing() && button->Enabled()) {
      button->Click();
      return;
    }
}

void TForm::WndProc(TMessage& message) {
  if (HandleMenuMessage(message)) return;
  switch (message.Msg) {
    case CM_SHOWINGCHANGED:
      if (HandleAllocated())
        ShowWindow(Handle(), message.WParam ? ShowCommand(windowState_) : SW_HIDE);
      break;
    case WM_SIZE:
      if (message.WParam == SIZE_MAXIMIZED)
        windowState_ = TWindowState::wsMaximized;
      else if (message.WParam == SIZE_MINIMIZED)
        windowState_ = TWindowState::wsMinimized;
      else if (message.WParam == SIZE_RESTORED)
        windowState_ = TWindowState::wsNormal;
      break;
    case WM_NCCALCSIZE:
      DefaultHandler(message);
      if (borderWidth_ > 0) {
        RECT* client = message.WParam
                           ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                           : reinterpret_cast<RECT*>(message.LParam);
        InflateRect(client, -borderWidth_, -borderWidth_);
      }
      return;
    case WM_NCPAINT:
      DefaultHandler(message);
      if (borderWidth_ > 0) PaintBorderBand();
      return;
    case WM_CLOSE:
      Close();
      message.Result = 0;
      return;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(Handle(), &r);
      TCanvas(reinterpret_cast<HDC>(message.WParam)).FillRect(r, Color());
      message.Result = 1;
      return;
    }
    case WM_COMMAND:
      if (message.LParam == 0) {
        UINT id = LOWORD(message.WParam);
        if (id == IDOK) {
          ClickDefaultButton();
        } else if (id == IDCANCEL) {
          if (inModal_) modalResult_ = mrCancel;
        } else if (menu_) {
          menu_->DispatchCommand(id);
        }
        message.Result = 0;
        return;
      }
      break;
    case CM_RELEASE:
      delete this;
      return;
    case WM_DPICHANGED:
      DpiChanged(LOWORD(message.WParam), *reinterpret_cast<const RECT*>(message.LParam));
      message.Result = 0;
      return;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

}  // namespace fw
