// Windowed controls: making and subclassing the window, the message path into WindowProc, the
// notifications reflected to children, mouse tracking and the layout of aligned children.
#include <windowsx.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <shared_mutex>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/DeferredMoves.h"
#include "platform/Host.h"

namespace fw {

namespace {

// Which control made a window. A table of the process's own rather than a window property: it
// is asked on every message, and under Wine each property read is a round trip to the server.
// Windows of any thread may be asked about, hence the lock.
class TControlTable {
 public:
  void Add(HWND wnd, TWinControl* control) {
    std::unique_lock hold(lock_);
    controls_[wnd] = control;
  }
  void Remove(HWND wnd, const TWinControl* control) {
    std::unique_lock hold(lock_);
    if (auto found = controls_.find(wnd); found != controls_.end() && found->second == control)
      controls_.erase(found);
  }
  TWinControl* Find(HWND wnd) const {
    std::shared_lock hold(lock_);
    auto found = controls_.find(wnd);
    return found == controls_.end() ? nullptr : found->second;
  }

 private:
  mutable std::shared_mutex lock_;
  std::unordered_map<HWND, TWinControl*> controls_;
};

TControlTable& ControlTable() {
  static TControlTable table;
  return table;
}

// The control whose window of a framework class is being created: its first messages arrive
// before CreateWindowEx returns the handle.
thread_local TWinControl* creatingControl = nullptr;

// How many painting messages are being handled on this thread: an error raised inside one must
// not open a box there (the box's own painting would run into the same error, box after box).
thread_local int paintDepth = 0;

int NextChildId() {
  // Child ids stay clear of IDOK .. IDHELP, which dialog navigation sends as commands.
  static int next = 100;
  return next++;
}

bool IsGraphicMouseMessage(UINT msg) {
  switch (msg) {
    case WM_MOUSEMOVE:
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

bool IsPaintMessage(UINT msg) {
  switch (msg) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_DRAWITEM:
      return true;
    default:
      return false;
  }
}

bool IsReflected(UINT msg) {
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) return true;
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return true;
    default:
      return false;
  }
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  SetDestroying();
  while (!controls_.empty()) delete controls_.back();  // each one leaves controls_
  DestroyHandle();
  life_.End();
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

LRESULT TWinControl::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(Handle(), msg, wParam, lParam);
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  return wnd ? ControlTable().Find(wnd) : nullptr;
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

void TWinControl::RecreateWnd() {
  if (handle_) Perform(CM_RECREATEWND);
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
  ControlTable().Add(wnd, this);
  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StdWndProc));
}

void TWinControl::Detach() {
  if (!handle_) return;
  // Someone who subclassed the window after us keeps their procedure; it is the last message.
  if (GetWindowLongPtrA(handle_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StdWndProc))
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_));
  ControlTable().Remove(handle_, this);
  handle_ = nullptr;
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (RefusedFromElsewhere(msg, wParam, lParam)) return 0;
  TWinControl* control = FromHandle(wnd);
  if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);
  return control->Dispatch(wnd, msg, wParam, lParam);
}

LRESULT TWinControl::Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TLifeToken alive = life_.Token();
  TMessage message{msg, wParam, lParam, 0};
  if (wnd == Application.Handle() && Application.RunMainWindowHooks(message)) return message.Result;
  // A handler may release this control or replace its WindowProc; the chain it runs in must
  // outlive both. The copy shares the chain, it does not copy it.
  TWndMethod chain = WindowProc;
  bool painting = IsPaintMessage(msg);
  paintDepth += painting;
  try {
    chain(message);
  } catch (const std::exception& error) {
    if (paintDepth > 0) {
      // The update region is still pending when the error came before BeginPaint; left so,
      // the same paint would come back at once.
      if (msg == WM_PAINT) ValidateRect(wnd, nullptr);
      Application.ShowExceptionLater(error);
    } else {
      Application.ShowException(error);
    }
  }
  paintDepth -= painting;
  // The handler may have released this control, or destroyed its window.
  if (alive && msg == WM_NCDESTROY && handle_ == wnd) Detach();
  return message.Result;
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  DestroyWnd();
  DestroyWindow(handle_);  // WM_NCDESTROY detaches
  // A window already being destroyed when this control was released sends no WM_NCDESTROY
  // again: the table must not keep a freed control for a handle the system may reuse.
  ControlTable().Remove(handle_, this);
  handle_ = nullptr;
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (handle_)
    message.Result =
        CallWindowProcA(defWndProc_, handle_, message.Msg, message.WParam, message.LParam);
  else
    message.Result = 0;
}

TWinControl* TWinControl::ReflectTarget(const TMessage& message) const {
  HWND child = nullptr;
  switch (message.Msg) {
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
      child = header ? header->hwndFrom : nullptr;
      break;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
      if (draw && draw->CtlType != ODT_MENU) child = draw->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
      if (!measure || measure->CtlType == ODT_MENU) return nullptr;
      child = GetDlgItem(handle_, static_cast<int>(measure->CtlID));
      // Owner-drawn controls are measured while CreateWindowEx makes them, before the
      // framework attached itself to the window.
      if (!FromHandle(child))
        for (TControl* c : controls_)
          if (c->IsWindowed() && (c->ControlState() & csCreating))
            return static_cast<TWinControl*>(c);
      break;
    }
    default:
      child = reinterpret_cast<HWND>(message.LParam);
      break;
  }
  TWinControl* target = FromHandle(child);
  return target != this ? target : nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  for (TControl* child : std::vector<TControl*>(controls_)) {
    message.Result = child->Perform(message.Msg, message.WParam, message.LParam);
    if (message.Result) return;
  }
}

void TWinControl::WndProc(TMessage& message) {
  if (IsReflected(message.Msg)) {
    if (TWinControl* child = ReflectTarget(message)) {
      message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
      return;
    }
  } else if (message.Msg > CN_BASE && IsReflected(message.Msg - CN_BASE)) {
    // Nobody answered the reflected notification: the parent's platform default does.
    TMessage original{message.Msg - CN_BASE, message.WParam, message.LParam, 0};
    if (Parent() && Parent()->HandleAllocated()) Parent()->DefaultHandler(original);
    message.Result = original.Result;
    return;
  }
  switch (message.Msg) {
    case WM_SETCURSOR:
      if (HandleSetCursor(message)) return;
      break;
    case WM_PAINT:
      PaintHandler(message);
      return;
    case WM_PRINTCLIENT:
      if (!OwnPaint()) break;
      PaintWindow(reinterpret_cast<HDC>(message.WParam), WM_PRINTCLIENT);
      PaintControls(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_MOUSEMOVE:
      TrackMouse({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
      break;
    case WM_MOUSELEAVE:
      MouseLeftWindow();
      break;
    case WM_SETFOCUS: {
      TWinControl* root = this;
      while (root->Parent()) root = root->Parent();
      root->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
      break;
    }
    case WM_CANCELMODE:
      Perform(CM_CANCELMODE);
      break;
    case CM_FOCUSCHANGED:
    case CM_CANCELMODE:
    case CM_DIALOGCHAR:
      Broadcast(message);
      return;
    case CM_RECREATEWND:
      DestroyHandle();
      Handle();
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
      break;
  }
  if (IsGraphicMouseMessage(message.Msg) && HandleMouseForGraphic(message)) return;
  TControl::WndProc(message);
}

void TWinControl::TrackMouse(POINT point) {
  if (!MouseInControl()) {
    // The platform reports the leave only once asked, and once per asking.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
    TrackMouseEvent(&track);
    MouseEntered();
  }
  TControl* graphic = GraphicControlAt(point);
  if (graphic == hoverGraphic_) return;
  if (TControl* left = std::exchange(hoverGraphic_, graphic)) left->MouseLeft();
  if (graphic) graphic->MouseEntered();
}

void TWinControl::MouseLeftWindow() {
  if (TControl* left = std::exchange(hoverGraphic_, nullptr)) left->MouseLeft();
  if (MouseInControl()) MouseLeft();
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
  if (!handle_) return;
  if (TDeferredMoves* pass = TDeferredMoves::For(*this))
    pass->Place(handle_, {left, top, left + Width(), top + Height()});
  else
    SetWindowPos(handle_, nullptr, left, top, Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::ScaleLengths(int fromDpi, int toDpi) {
  ScaleChildren(toDpi);
  TControl::ScaleLengths(fromDpi, toDpi);
}

void TWinControl::ScaleChildren(int toDpi) {
  for (TControl* child : std::vector<TControl*>(controls_)) child->ChangeScale(toDpi);
}

void TWinControl::VisibleChanged() {
  // A child window follows its own Visible at once; a top-level window is shown or hidden by
  // the default handling of CM_SHOWINGCHANGED.
  if (handle_ && Parent()) ShowWindow(handle_, Visible() ? SW_SHOW : SW_HIDE);
}

void TWinControl::UpdateShowing() {
  TControl::UpdateShowing();
  for (TControl* child : std::vector<TControl*>(controls_)) child->UpdateShowing();
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
  Invalidate();
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

int TWinControl::ClientWidth() {
  if (!handle_) return Width();
  RECT r;
  GetClientRect(handle_, &r);
  return r.right - r.left;
}

int TWinControl::ClientHeight() {
  if (!handle_) return Height();
  RECT r;
  GetClientRect(handle_, &r);
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
  if (handle_) {
    if (control->IsWindowed())
      static_cast<TWinControl*>(control)->Handle();
    else
      control->Invalidate();
    if (control->Align() != TAlign::alNone) AlignControls();
  }
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  if (!Destroying()) {
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
    it = std::find(controls_.begin(), controls_.end(), control);  // the handler may have moved it
    if (it == controls_.end()) return;
  }
  controls_.erase(it);
  if (hoverGraphic_ == control) hoverGraphic_ = nullptr;
  if (control->IsWindowed()) static_cast<TWinControl*>(control)->DestroyHandle();
}

}  // namespace fw
