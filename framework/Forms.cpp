#include "framework/Forms.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/StdCtrls.h"

namespace fw {

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
}

TForm::~TForm() {
  SetDestroying();
  if (menu_) menu_->OnChange = nullptr;
  // The menu belongs to the form's owner tree, not to the window: the platform must not
  // release it together with the window.
  if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
  if (Application.MainForm() == this) Application.SetMainForm(nullptr);
}

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  TCreateParams params;
  CreateParams(params);
  SetBounds(Left(), Top(), params.Width, params.Height);
}

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  if (menu_)
    menu_->OnChange = [this] {
      if (HandleAllocated()) {
        ::SetMenu(Handle(), menu_->Handle());
        DrawMenuBar(Handle());
      }
    };
  if (HandleAllocated()) ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
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
  params.WndParent = ownerWnd_;
  params.Menu = menu_ ? menu_->Handle() : nullptr;
  if (clientWidth_ > 0 || clientHeight_ > 0) {
    RECT r{0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&r, params.Style, params.Menu != nullptr, params.ExStyle);
    params.Width = r.right - r.left;
    params.Height = r.bottom - r.top;
  }
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (clientWidth_ <= 0 && clientHeight_ <= 0) return;
  // A menu bar that wraps takes more room than the frame sums tell; grow by what is missing.
  RECT client;
  GetClientRect(Handle(), &client);
  int dw = clientWidth_ - client.right, dh = clientHeight_ - client.bottom;
  if (dw || dh) SetBounds(Left(), Top(), Width() + dw, Height() + dh);
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

void TForm::ClickDefaultButton() {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* button = dynamic_cast<TButton*>(Components(i));
        button && button->Default() && button->Showing() && button->Enabled()) {
      button->Click();
      return;
    }
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
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
    default:
      break;
  }
  TWinControl::WndProc(message);
}

}  // namespace fw
