#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "framework/Application.h"
#include "platform/Host.h"

namespace fw {

namespace {

// The window property that leads from a window to the control that made it.
const char kControlProp[] = "DkControl";

// The control whose window of a framework class is being created: its first messages arrive
// before CreateWindowEx returns the handle.
thread_local TWinControl* creatingControl = nullptr;

int NextChildId() {
  // Child ids stay clear of IDOK .. IDHELP, which dialog navigation sends as commands.
  static int next = 100;
  return next++;
}

bool IsGraphicMouseMessage(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return true;
    default:
      return false;
  }
}

}  // namespace

HCURSOR CursorHandle(TCursor cursor) {
  switch (cursor) {
    case TCursor::crHandPoint:
      return LoadCursor(nullptr, IDC_HAND);
    case TCursor::crHourGlass:
      return LoadCursor(nullptr, IDC_WAIT);
    case TCursor::crDefault:
    case TCursor::crArrow:
      break;
  }
  return LoadCursor(nullptr, IDC_ARROW);
}

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& message) { WndProc(message); };
  font_.OnChange = [this] { FontChanged(); };
  auto ord = [this](auto get, auto set) {
    return TPropInfo{[this, get] { return static_cast<std::intptr_t>((this->*get)()); },
                     [this, set](std::intptr_t v) { set(this, v); }};
  };
  Publish("Color", ord(&TControl::Color,
                       [](TControl* c, std::intptr_t v) { c->SetColor(static_cast<TColor>(v)); }));
  Publish("Visible",
          ord(&TControl::Visible, [](TControl* c, std::intptr_t v) { c->SetVisible(v != 0); }));
  Publish("Enabled",
          ord(&TControl::Enabled, [](TControl* c, std::intptr_t v) { c->SetEnabled(v != 0); }));
  Publish("Tag", ord(&TControl::Tag, [](TControl* c, std::intptr_t v) { c->SetTag(v); }));
  Publish("Left", ord(&TControl::Left, [](TControl* c, std::intptr_t v) {
            c->SetBounds(static_cast<int>(v), c->top_, c->width_, c->height_);
          }));
  Publish("Top", ord(&TControl::Top, [](TControl* c, std::intptr_t v) {
            c->SetBounds(c->left_, static_cast<int>(v), c->width_, c->height_);
          }));
  Publish("Width", ord(&TControl::Width, [](TControl* c, std::intptr_t v) {
            c->SetBounds(c->left_, c->top_, static_cast<int>(v), c->height_);
          }));
  Publish("Height", ord(&TControl::Height, [](TControl* c, std::intptr_t v) {
            c->SetBounds(c->left_, c->top_, c->width_, static_cast<int>(v));
          }));
}

TControl::~TControl() {
  SetDestroying();
  SetParent(nullptr);
  NotifyControlDestroyed(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    Invalidate();
    parent_->RemoveControl(this);
  }
  parent_ = parent;
  if (!parent_) return;
  // A control takes its parent's font and colour when it is placed; changing them afterwards
  // makes them its own.
  font_.Assign(parent_->Font());
  color_ = parent_->Color();
  parent_->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (!IsWindowed()) Invalidate();
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (!IsWindowed()) Invalidate();
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  InvalidateInParent(BoundsRect());
}

bool TControl::Showing() const {
  return visible_ && (!parent_ || parent_->Showing());
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Invalidate();
}

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  TextChanged();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::Invalidate() {
  InvalidateInParent(BoundsRect());
}

void TControl::InvalidateInParent(const RECT& rect) const {
  if (parent_ && parent_->HandleAllocated()) InvalidateRect(parent_->handle_, &rect, TRUE);
}

void TControl::Click() {
  if (OnClick && enabled_) OnClick(this);
}

void TControl::WndProc(TMessage& message) {
  DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage& message) {
  message.Result = 0;
}

// ---- TGraphicControl ----

void TGraphicControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: {
      TCanvas canvas(reinterpret_cast<HDC>(message.WParam));
      Paint(canvas);
      message.Result = 0;
      return;
    }
    case WM_LBUTTONDOWN:
      SetControlState(ControlState() | csLButtonDown);
      break;
    case WM_LBUTTONUP: {
      bool pressed = ControlState() & csLButtonDown;
      SetControlState(ControlState() & ~unsigned(csLButtonDown));
      POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      if (pressed && p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height() &&
          (ControlStyle() & csClickEvents))
        Click();
      break;
    }
    case WM_LBUTTONDBLCLK:
      if ((ControlStyle() & csDoubleClicks) && OnDblClick && Enabled()) OnDblClick(this);
      break;
    default:
      break;
  }
  TControl::WndProc(message);
}

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  SetDestroying();
  while (!controls_.empty()) delete controls_.back();  // each one leaves controls_
  DestroyHandle();
  *alive_ = false;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

LRESULT TWinControl::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(Handle(), msg, wParam, lParam);
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  return wnd ? static_cast<TWinControl*>(GetPropA(wnd, kControlProp)) : nullptr;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (Parent()) {
    params.WndParent = Parent()->Handle();
    params.Menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextChildId()));
  }
}

void TWinControl::CreateHandle() {
  // Making the parent's window makes this one too, with every other child.
  if (Parent() && !Parent()->HandleAllocated()) {
    Parent()->Handle();
    if (handle_) return;
  }
  TCreateParams params;
  CreateParams(params);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (params.OwnClass) {
    static std::set<std::string> registered;
    if (!registered.count(params.WinClassName)) {
      WNDCLASSEXA wc = {};
      wc.cbSize = sizeof wc;
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = &TWinControl::InitWndProc;
      wc.hInstance = instance;
      wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
      wc.hIcon = Application.Icon();
      wc.hIconSm = Application.SmallIcon();
      wc.lpszClassName = params.WinClassName.c_str();
      if (!RegisterClassExA(&wc)) throw std::runtime_error("Cannot register window class");
      registered.insert(params.WinClassName);
    }
  }
  SetControlState(ControlState() | csCreating);
  creatingControl = params.OwnClass ? this : nullptr;
  HWND wnd = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), Caption().c_str(),
                             params.Style, params.X, params.Y, params.Width, params.Height,
                             params.WndParent, params.Menu, instance, nullptr);
  creatingControl = nullptr;
  SetControlState(ControlState() & ~unsigned(csCreating));
  if (!wnd) throw std::runtime_error("Cannot create a window of class " + params.WinClassName);
  if (!params.OwnClass)
    Attach(wnd, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC)));
  CreateWnd();
  for (TControl* child : std::vector<TControl*>(controls_))
    if (child->IsWindowed()) static_cast<TWinControl*>(child)->Handle();
  AlignControls();
}

void TWinControl::CreateWnd() {
  ::SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

LRESULT CALLBACK TWinControl::InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = creatingControl;
  if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);
  creatingControl = nullptr;
  control->Attach(wnd, &DefWindowProcA);
  return StdWndProc(wnd, msg, wParam, lParam);
}

void TWinControl::Attach(HWND wnd, WNDPROC previous) {
  handle_ = wnd;
  defWndProc_ = previous;
  SetPropA(wnd, kControlProp, this);
  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StdWndProc));
}

void TWinControl::Detach() {
  if (!handle_) return;
  // Someone who subclassed the window after us keeps their procedure; it is the last message.
  if (GetWindowLongPtrA(handle_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StdWndProc))
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_));
  RemovePropA(handle_, kControlProp);
  handle_ = nullptr;
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FromHandle(wnd);
  if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);
  return control->Dispatch(wnd, msg, wParam, lParam);
}

LRESULT TWinControl::Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<bool> alive = alive_;
  TMessage message{msg, wParam, lParam, 0};
  // A handler may release this control; the chain it runs in must not be released with it.
  TWndMethod chain = WindowProc;
  try {
    chain(message);
  } catch (const std::exception& error) {
    Application.ShowException(error);
  }
  // The handler may have released this control, or destroyed its window.
  if (*alive && msg == WM_NCDESTROY && handle_ == wnd) Detach();
  return message.Result;
}

void TWinControl::DestroyHandle() {
  if (handle_) DestroyWindow(handle_);  // WM_NCDESTROY detaches
  handle_ = nullptr;
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (handle_)
    message.Result =
        CallWindowProcA(defWndProc_, handle_, message.Msg, message.WParam, message.LParam);
  else
    message.Result = 0;
}

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_COMMAND: {
      TWinControl* child = FromHandle(reinterpret_cast<HWND>(message.LParam));
      if (child && child != this) {
        message.Result = child->Perform(CN_COMMAND, message.WParam, message.LParam);
        return;
      }
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(message.LParam);
      TWinControl* child = header ? FromHandle(header->hwndFrom) : nullptr;
      if (child && child != this) {
        message.Result = child->Perform(CN_NOTIFY, message.WParam, message.LParam);
        return;
      }
      break;
    }
    case WM_SETCURSOR:
      if (HandleSetCursor(message)) return;
      break;
    case WM_PAINT:
      PaintHandler(message);
      return;
    case WM_WINDOWPOSCHANGED: {
      // The platform moved or sized the window (the user, or the control itself): keep the
      // bounds in step, in the parent's client coordinates.
      RECT r;
      GetWindowRect(handle_, &r);
      if (HWND parent = GetParent(handle_);
          parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
      TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
      TControl::WndProc(message);
      AlignControls();
      return;
    }
    default:
      if (IsGraphicMouseMessage(message.Msg) && HandleMouseForGraphic(message)) return;
      break;
  }
  TControl::WndProc(message);
}

bool TWinControl::HandleSetCursor(TMessage& message) {
  if (reinterpret_cast<HWND>(message.WParam) != handle_ || LOWORD(message.LParam) != HTCLIENT)
    return false;
  platform::Host& host = platform::CurrentHost();
  if (host.ScreenCursor() != platform::Cursor::Default) {
    host.SetScreenCursor(host.ScreenCursor());
    message.Result = TRUE;
    return true;
  }
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(handle_, &p);
  TControl* graphic = GraphicControlAt(p);
  TCursor cursor =
      graphic && graphic->Cursor() != TCursor::crDefault ? graphic->Cursor() : Cursor();
  if (cursor == TCursor::crDefault) return false;
  ::SetCursor(CursorHandle(cursor));
  message.Result = TRUE;
  return true;
}

TControl* TWinControl::GraphicControlAt(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    RECT r = c->BoundsRect();
    if (!c->IsWindowed() && c->Visible() && PtInRect(&r, point)) return c;
  }
  return nullptr;
}

bool TWinControl::HandleMouseForGraphic(TMessage& message) {
  POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  TControl* graphic = GraphicControlAt(p);
  if (!graphic || !graphic->Enabled()) return false;
  message.Result = graphic->Perform(message.Msg, message.WParam,
                                    MAKELPARAM(p.x - graphic->Left(), p.y - graphic->Top()));
  return true;
}

void TWinControl::PaintHandler(TMessage& message) {
  bool hasGraphic = std::any_of(controls_.begin(), controls_.end(),
                                [](TControl* c) { return !c->IsWindowed() && c->Visible(); });
  if (!hasGraphic) {
    DefaultHandler(message);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = message.WParam ? reinterpret_cast<HDC>(message.WParam) : BeginPaint(handle_, &ps);
  // The platform class paints itself into the same context first, then the windowless children
  // are drawn over it.
  TMessage own{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(own);
  PaintControls(dc);
  if (!message.WParam) EndPaint(handle_, &ps);
  message.Result = 0;
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (c->IsWindowed() || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
    int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + c->Left(), origin.y + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::AlignControls() {
  if (!handle_) return;
  RECT client;
  GetClientRect(handle_, &client);
  for (TControl* c : controls_) {
    switch (c->Align()) {
      case TAlign::alTop:
        c->SetBounds(client.left, client.top, client.right - client.left, c->Height());
        client.top += c->Height();
        break;
      case TAlign::alBottom:
        c->SetBounds(client.left, client.bottom - c->Height(), client.right - client.left,
                     c->Height());
        client.bottom -= c->Height();
        break;
      default:
        break;
    }
  }
  for (TControl* c : controls_)
    if (c->Align() == TAlign::alClient)
      c->SetBounds(client.left, client.top, client.right - client.left, client.bottom - client.top);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  if (handle_)
    SetWindowPos(handle_, nullptr, left, top, Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetVisible(bool visible) {
  TControl::SetVisible(visible);
  if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
  TControl::SetEnabled(enabled);
  if (handle_) EnableWindow(handle_, enabled);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

int TWinControl::ClientWidth() {
  RECT r;
  GetClientRect(Handle(), &r);
  return r.right - r.left;
}

int TWinControl::ClientHeight() {
  RECT r;
  GetClientRect(Handle(), &r);
  return r.bottom - r.top;
}

bool TWinControl::Focused() {
  return handle_ && GetFocus() == handle_;
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

void TWinControl::TextChanged() {
  if (handle_) SetWindowTextA(handle_, Caption().c_str());
}

void TWinControl::FontChanged() {
  if (handle_) ::SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  if (!handle_) return;
  if (control->IsWindowed())
    static_cast<TWinControl*>(control)->Handle();
  else
    control->Invalidate();
  if (control->Align() != TAlign::alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  if (control->IsWindowed()) static_cast<TWinControl*>(control)->DestroyHandle();
}

}  // namespace fw
