#include "skin/forms/sBorderForm.h"

#include <windowsx.h>

#include <utility>

#include "framework/Forms.h"
#include "platform/LayeredWindows.h"
#include "skin/forms/sBorderPicture.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sPaintFlags.h"
#include "skin/render/sWindowRegion.h"

namespace {

constexpr char kBorderClass[] = "veBorderForm";
// Every point of the frame answers this: the platform then does nothing of its own there, and
// the mouse messages below decide.
constexpr LRESULT kHitOwn = HTOBJECT;
// Posted to the layered window: take its place behind the form again.
constexpr UINT kPlaceAgain = WM_APP + 0x4B0;
constexpr int kMaxPlaceRetries = 4;
// A window shown beside a form that is already on screen may be lifted above it while the
// display maps it, and no message tells: it looks once more when the queue has gone quiet.
constexpr UINT_PTR kSettleTimer = 1;
constexpr UINT kSettleDelay = 50;

bool IsSizing(int code) {
  return code >= kHitLeft && code <= kHitBottomRight;
}

const char* SizingCursor(int code) {
  switch (code) {
    case kHitLeft:
    case kHitRight:
      return IDC_SIZEWE;
    case kHitTop:
    case kHitBottom:
      return IDC_SIZENS;
    case kHitTopLeft:
    case kHitBottomRight:
      return IDC_SIZENWSE;
    default:
      return IDC_SIZENESW;
  }
}

// The window that holds the form's input while it is disabled: the topmost visible, enabled
// window that the form owns, directly or through another one.
HWND EnabledPopupOf(HWND form, HWND except) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == except || !IsWindowVisible(w) || !IsWindowEnabled(w)) continue;
    for (HWND owner = GetWindow(w, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
      if (owner == form) return w;
  }
  return nullptr;
}

bool IsButtonDown(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
         msg == WM_XBUTTONDOWN;
}

ATOM RegisterBorderClass(WNDPROC procedure) {
  WNDCLASSA cls{};
  cls.style = CS_DBLCLKS;
  cls.lpfnWndProc = procedure;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  cls.lpszClassName = kBorderClass;
  return RegisterClassA(&cls);
}

}  // namespace

TveBorderForm::TveBorderForm(TsSkinProvider& provider) : provider_(provider) {}

TveBorderForm::~TveBorderForm() {
  FreeWindow();
}

HWND TveBorderForm::FormWnd() const {
  return provider_.form_->HandleAllocated() ? provider_.form_->Handle() : nullptr;
}

HWND TveBorderForm::Window() {
  if (window_) return window_;
  HWND form = FormWnd();
  static const ATOM registered = RegisterBorderClass(Procedure);
  if (!form || !registered) return nullptr;
  window_ =
      CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW, kBorderClass, "",
                      WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window_) return nullptr;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // Owned by the form: it goes with the form's minimising, and never shows on the task bar.
  SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(form));
  shownLook_ = -1;
  regionPending_ = true;
  return window_;
}

void TveBorderForm::PlaceLater() {
  // A platform that keeps lifting the window gets a few answers, not an endless exchange.
  if (!window_ || placePending_ || placeRetries_ >= kMaxPlaceRetries) return;
  ++placeRetries_;
  placePending_ = PostMessageA(window_, kPlaceAgain, 0, 0);
}

void TveBorderForm::FreeWindow() {
  if (!window_) return;
  HWND wnd = window_;
  window_ = nullptr;
  SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
  DestroyWindow(wnd);
}

TPoint TveBorderForm::Offset() const {
  return BorderOffset(provider_.borderFrame_);
}

TRect TveBorderForm::ClientRegion() const {
  const TsFormShape& f = provider_.paint_.Form;
  const TsSystemMetrics& m = provider_.paint_.Metrics;
  TPoint client = ClientOffset(f, m);
  const TsExtentMargins& e = provider_.borderFrame_.Extent;
  int width = f.ClientWidth + (f.HasVScroll ? m.CxVScroll : 0);
  int height = f.ClientHeight + (f.HasHScroll ? m.CyHScroll : 0);
  return {client.X + e.Left, client.Y + e.Top, client.X + e.Left + width,
          client.Y + e.Top + height};
}

TRect TveBorderForm::ShownRect(int width, int height) const {
  if (provider_.formShape_.Maximized)
    return MaximizedBorderRect(provider_.borderFrame_, width, height);
  return {0, 0, width, height};
}

TsRegion TveBorderForm::MakeRegion() const {
  return BorderRegion(ShownRect(picture_.Width(), picture_.Height()), ClientRegion());
}

void TveBorderForm::ApplyShape() {
  regionPending_ = false;
  holed_ = false;
  shape_ = MakeRegion();
  if (window_) ApplyWindowRegion(window_, RegionOfRects(shape_.Rects()), FALSE);
}

void TveBorderForm::RestoreShape() {
  if (holed_) ApplyShape();
}

void TveBorderForm::CutHole(POINT screen) {
  RECT w;
  if (!window_ || !GetWindowRect(window_, &w)) return;
  int x = screen.x - w.left, y = screen.y - w.top;
  // A difference: the same pixel cut again stays cut.
  shape_.Subtract({x, y, x + 1, y + 1});
  holed_ = true;
  ApplyWindowRegion(window_, RegionOfRects(shape_.Rects()), FALSE);
}

void TveBorderForm::PlaceBehindForm(int x, int y, bool show) {
  HWND form = FormWnd();
  UINT flags = SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOOWNERZORDER | (show ? SWP_SHOWWINDOW : 0);
  bool topmost = GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_TOPMOST;
  if (topmost != bool(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST))
    SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | flags);
  if (GetWindow(form, GW_HWNDNEXT) == window_) {
    placeRetries_ = 0;
    // A frame paint finds its border window where it stands most often: a move to the same
    // place would still cost the platform a round of messages and a trip to the window server.
    RECT now;
    if (!show && GetWindowRect(window_, &now) && now.left == x && now.top == y) return;
    SetWindowPos(window_, nullptr, x, y, 0, 0, flags | SWP_NOZORDER);
    return;
  }
  // The platform keeps an owned window above its owner: the owner lets go while the window
  // goes behind it, and takes it back.
  SetWindowLongPtrA(window_, GWLP_HWNDPARENT, 0);
  SetWindowPos(window_, form, x, y, 0, 0, flags);
  SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(form));
  if (show) SetTimer(window_, kSettleTimer, kSettleDelay, nullptr);
}

const img::Bitmap32& TveBorderForm::ComposeAhead() {
  ComposeInto(ahead_);
  aheadGeneration_ = provider_.imageGeneration_;
  aheadLook_ = provider_.activeLook_ ? 1 : 0;
  return ahead_;
}

void TveBorderForm::ComposeInto(img::Bitmap32& picture) const {
  ++composed_;
  const img::Bitmap32& image = provider_.WindowImage();
  const TsBorderShadows& shadows = provider_.Shadows();
  // A skin whose extended border is the whole frame keeps only its title band and the content
  // from the window image.
  std::vector<TRect> shown;
  if (shadows.WholeFrame) {
    const TsFramePaint& paint = provider_.paint_;
    TPoint client = ClientOffset(paint.Form, paint.Metrics);
    int titleBottom = paint.Layout.TitleBottom;
    shown = {{0, 0, image.Width(), titleBottom},
             {client.X, titleBottom, client.X + paint.Form.ClientWidth,
              client.Y + paint.Form.ClientHeight}};
  }
  ComposeBorderPicture(picture, image, provider_.activeLook_ ? shadows.Active : shadows.Inactive,
                       provider_.borderFrame_.Extent,
                       CollectFrameCorners(provider_.Skin(), provider_.paint_.Sections,
                                           image.Width(), image.Height()),
                       shown);
}

void TveBorderForm::Update(bool repaint, uint8_t alpha) {
  HWND form = FormWnd();
  if (Busy || AnimationInProgress || !form || provider_.form_->Destroying()) return;
  if (!IsWindowVisible(form) || IsIconic(form)) {
    FreeWindow();
    return;
  }
  Busy = true;
  fw::TLifeToken alive = life_.Token();
  bool rebuilt = provider_.RebuildWindowImage();
  if (!alive) return;
  if (!rebuilt || !Window()) {
    Busy = false;
    return;
  }
  int look = provider_.activeLook_ ? 1 : 0;
  bool changed = repaint || look != shownLook_ || shownGeneration_ != provider_.imageGeneration_ ||
                 picture_.Empty();
  if (changed) {
    if (!ahead_.Empty() && aheadGeneration_ == provider_.imageGeneration_ && aheadLook_ == look)
      picture_ = std::move(ahead_);
    else
      ComposeInto(picture_);
    shownGeneration_ = provider_.imageGeneration_;
    shownLook_ = look;
  }
  ahead_ = {};
  RECT formRect, now;
  GetWindowRect(form, &formRect);
  GetWindowRect(window_, &now);
  TPoint offset = Offset();
  int x = formRect.left - offset.X, y = formRect.top - offset.Y;
  bool resized =
      now.right - now.left != picture_.Width() || now.bottom - now.top != picture_.Height();
  bool shown = IsWindowVisible(window_);
  if (changed || resized || !shown || alpha != shownAlpha_) {
    platform::LayeredWindows::Current().Update(window_, x, y, picture_, alpha);
    shownAlpha_ = alpha;
    // The shape follows the size, the maximised state and the client, not a title button's look.
    regionPending_ =
        regionPending_ || resized || (changed && MakeRegion().Rects() != shape_.Rects());
  }
  // Only moved when nothing else changed: the layered window keeps its picture.
  PlaceBehindForm(x, y, !shown);
  if (regionPending_) ApplyShape();
  Busy = false;
}

int TveBorderForm::HitTest(POINT screen) {
  // Counted from where the border window stands for the form, also while it has no window (an
  // animation shows the form, or the window was freed).
  RECT form{};
  GetWindowRect(FormWnd(), &form);
  TPoint offset = Offset();
  TPoint p{screen.x - (form.left - offset.X), screen.y - (form.top - offset.Y)};
  const TsExtentMargins& e = provider_.borderFrame_.Extent;
  const TsFramePaint& paint = provider_.paint_;
  TPoint inImage{p.X - e.Left, p.Y - e.Top};
  if (int code = HitTitleButton(paint.Form, paint.Layout, paint.Inputs, inImage)) return code;
  TsBorderHit h;
  h.Frame = provider_.borderFrame_;
  h.Width = picture_.Width();
  h.Height = picture_.Height();
  h.Sizeable = paint.Form.ThickFrame && provider_.formShape_.ThickFrame && !paint.Form.Maximized;
  h.TitleBottom = paint.Layout.TitleBottom + e.Top;
  h.MenuBottom = ClientOffset(paint.Form, paint.Metrics).Y + e.Top;
  if (paint.Layout.IconShown) {
    const TRect& icon = paint.Layout.IconRect;
    h.IconRect = {icon.Left + e.Left, icon.Top + e.Top, icon.Right + e.Left, icon.Bottom + e.Top};
  }
  const TsSkinModel& skin = provider_.Skin();
  bool bothBars = paint.Form.HasHScroll && paint.Form.HasVScroll;
  if ((paint.GripShown || bothBars) && skin.IsValidImageIndex(paint.Sections.GripImage)) {
    TRect client = ClientRegion();
    int size = ButtonWidth(skin, paint.Sections.GripImage);
    h.Grip = {client.Right - size, client.Bottom - size, client.Right, client.Bottom};
  }
  return BorderHitTest(h, p);
}

LRESULT CALLBACK TveBorderForm::Procedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TveBorderForm*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (!self || self->window_ != wnd) return DefWindowProcA(wnd, msg, wParam, lParam);
  return self->Handle(msg, wParam, lParam);
}

// Mouse messages go on to the form, whose provider acts on the frame's elements; a code the
// provider must find itself goes as kHitInBorderWindow.
bool TveBorderForm::Forward(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND form = FormWnd();
  if (!form || !IsWindowEnabled(form)) return false;
  SendMessageA(form, msg, wParam, lParam);
  return true;
}

void TveBorderForm::DoubleClick(int code) {
  // The caption and the icon mean what they mean on the form's own frame.
  if (provider_.frame_.DoubleClick(code)) return;
  HWND form = FormWnd();
  if (!IsSizing(code) || code == kHitTopLeft || code == kHitTopRight || code == kHitBottomLeft ||
      code == kHitBottomRight)
    return;
  provider_.EndOutlineDrag(false);
  if (stretched_) {
    stretched_ = false;
    const RECT& r = beforeStretch_;
    SetWindowPos(form, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  GetWindowRect(form, &beforeStretch_);
  const RECT& f = beforeStretch_;
  const RECT& work = monitor.rcWork;
  TRect r = StretchedBounds(provider_.borderFrame_, {f.left, f.top, f.right, f.bottom},
                            {work.left, work.top, work.right, work.bottom}, code);
  stretched_ = true;
  SetWindowPos(form, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TveBorderForm::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND wnd = window_;
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_NCHITTEST: {
      fw::TMessage message{msg, wParam, lParam, 0};
      if (LRESULT own = provider_.frameFacts_.ApplicationHitTest(message)) return own;
      if (HitTest(at) == kHitShadow) return HTTRANSPARENT;
      // A disabled form's frame is as dead as the form, and a press there is an error the
      // cursor message reports.
      return IsWindowEnabled(FormWnd()) ? kHitOwn : HTERROR;
    }
    case WM_SETCURSOR: {
      if (short(LOWORD(lParam)) == HTERROR) {
        // As the platform does for a disabled window: a press brings forward the window that
        // keeps the form disabled (a modal one).
        if (IsButtonDown(HIWORD(lParam))) {
          if (HWND popup = EnabledPopupOf(FormWnd(), wnd)) {
            SetForegroundWindow(popup);
            FLASHWINFO flash{sizeof flash, popup, FLASHW_CAPTION, 2, 0};
            FlashWindowEx(&flash);
          } else {
            MessageBeep(0);
          }
        }
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
      }
      POINT p;
      GetCursorPos(&p);
      int code = HitTest(p);
      SetCursor(LoadCursorA(nullptr, IsSizing(code) ? SizingCursor(code) : IDC_ARROW));
      return TRUE;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCMOUSEMOVE: {
      int code = HitTest(at);
      if (code == kHitShadow) {
        CutHole(at);
        return 0;
      }
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, wnd, 0};
      TrackMouseEvent(&track);
      Forward(WM_NCMOUSEMOVE, IsTitleElement(code) ? WPARAM(code) : WPARAM(HTNOWHERE), lParam);
      return 0;
    }
    case WM_NCMOUSELEAVE:
      Forward(WM_NCMOUSELEAVE, 0, 0);
      return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
      int code = HitTest(at);
      if (code == kHitShadow) {
        CutHole(at);
        return 0;
      }
      HWND form = FormWnd();
      fw::TLifeToken alive = life_.Token();
      if (form && GetActiveWindow() != form && IsWindowEnabled(form)) SetForegroundWindow(form);
      if (!alive) return 0;
      if (msg == WM_NCRBUTTONDOWN) {
        Forward(msg, WPARAM(code), lParam);
      } else {
        Forward(msg, code == kHitSysMenu ? WPARAM(code) : kHitInBorderWindow, lParam);
      }
      return 0;
    }
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
      Forward(msg, kHitInBorderWindow, lParam);
      return 0;
    case WM_NCLBUTTONDBLCLK: {
      int code = HitTest(at);
      if (code == kHitShadow) return 0;
      if (IsTitleElement(code)) {
        Forward(WM_NCLBUTTONDOWN, kHitInBorderWindow, lParam);
        return 0;
      }
      if (IsWindowEnabled(FormWnd())) DoubleClick(code);
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      // The platform sends client messages only where the hit test gave no code of its own.
      POINT screen = at;
      ClientToScreen(wnd, &screen);
      if (HitTest(screen) == kHitShadow) CutHole(screen);
      return 0;
    }
    case kPlaceAgain:
      placePending_ = false;
      Update(false);
      return 0;
    case WM_TIMER:  // the settle timer, its only one
      KillTimer(wnd, wParam);
      Update(false);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      // Lifted above the form by the platform (its owner came to the front): back behind it.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!Busy && pos && !(pos->flags & SWP_NOZORDER) && GetWindow(FormWnd(), GW_HWNDNEXT) != wnd)
        PlaceLater();
      return DefWindowProcA(wnd, msg, wParam, lParam);
    }
    case WM_NCDESTROY:
      // Destroyed with its owner: the handle is no longer this object's to free.
      window_ = nullptr;
      return DefWindowProcA(wnd, msg, wParam, lParam);
    case WM_SYSCOMMAND:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
      return Forward(msg, wParam, lParam) ? 0 : DefWindowProcA(wnd, msg, wParam, lParam);
    default:
      return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}
