#include "skin/forms/sTitleHint.h"

#include <algorithm>

#include "platform/GdiScopes.h"
#include "platform/LayeredWindows.h"

namespace {

constexpr char kClassName[] = "veTitleHint";
constexpr int kMaxWidth = 800;
constexpr int kPadding = 3;
constexpr UINT_PTR kFadeTimer = 1;
constexpr int kFadeSteps = 10;  // 10 steps of 20 ms: 200 ms
constexpr UINT kFadeInterval = 20;

bool FadeAllowed() {
  BOOL animation = FALSE, fade = FALSE;
  SystemParametersInfoA(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
  SystemParametersInfoA(SPI_GETTOOLTIPFADE, 0, &fade, 0);
  return animation && fade;
}

HFONT StatusFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  return CreateFontIndirectA(&metrics.lfStatusFont);
}

}  // namespace

LRESULT CALLBACK TsTitleHint::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* hint = reinterpret_cast<TsTitleHint*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  switch (msg) {
    case WM_PAINT: {
      platform::PaintScope dc(wnd, wParam);
      RECT r;
      GetClientRect(wnd, &r);
      FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
      FrameRect(dc, &r, GetSysColorBrush(COLOR_INFOTEXT));
      if (hint) {
        platform::Selection font(dc, hint->font_ ? hint->font_ : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        InflateRect(&r, -kPadding, -kPadding);
        DrawTextA(dc, hint->text_.c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX);
      }
      return 0;
    }
    case WM_TIMER:
      if (hint && wParam == kFadeTimer) {
        ++hint->fadeStep_;
        platform::LayeredWindows::Current().SetAlpha(wnd,
                                                     uint8_t(255 * hint->fadeStep_ / kFadeSteps));
        if (hint->fadeStep_ >= kFadeSteps) KillTimer(wnd, kFadeTimer);
      }
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

void TsTitleHint::Show(const std::string& text, POINT cursor) {
  Hide();
  static const ATOM registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    cls.lpszClassName = kClassName;
    return RegisterClassA(&cls);
  }();
  if (!registered) return;
  text_ = text;
  font_ = StatusFont();
  // Sized for the text, at most kMaxWidth wide.
  RECT size{0, 0, kMaxWidth - 2 * kPadding, 0};
  {
    platform::WindowDC screen(nullptr);
    platform::Selection font(screen, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(screen, text_.c_str(), -1, &size, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }
  int w = size.right + 2 * kPadding, h = size.bottom + 2 * kPadding;
  int x = cursor.x + 8, y = cursor.y + 16;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor)) {
    x = std::max<int>(monitor.rcWork.left, std::min<int>(x, monitor.rcWork.right - w));
    y = std::max<int>(monitor.rcWork.top, std::min<int>(y, monitor.rcWork.bottom - h));
  }
  bool fade = text_.size() < 100 && FadeAllowed();
  DWORD ex = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | (fade ? WS_EX_LAYERED : 0);
  wnd_ = CreateWindowExA(ex, kClassName, "", WS_POPUP, x, y, w, h, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
  if (!wnd_) return;
  SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (fade) {
    fadeStep_ = 0;
    platform::LayeredWindows::Current().SetAlpha(wnd_, 0);
    SetTimer(wnd_, kFadeTimer, kFadeInterval, nullptr);
  }
  ShowWindow(wnd_, SW_SHOWNOACTIVATE);
}

void TsTitleHint::Hide() {
  if (wnd_) DestroyWindow(wnd_);
  wnd_ = nullptr;
  if (font_) DeleteObject(font_);
  font_ = nullptr;
}
