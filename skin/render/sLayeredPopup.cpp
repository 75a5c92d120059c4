#include "skin/render/sLayeredPopup.h"

namespace {

constexpr char kPopupClass[] = "veLayeredPopup";

LRESULT CALLBACK PopupProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

}  // namespace

HWND CreateLayeredPopup(bool topmost) {
  static const ATOM registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = PopupProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = kPopupClass;
    return RegisterClassA(&cls);
  }();
  if (!registered) return nullptr;
  DWORD ex = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  if (topmost) ex |= WS_EX_TOPMOST;
  return CreateWindowExA(ex, kPopupClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}
