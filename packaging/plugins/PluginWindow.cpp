#include "PluginWindow.h"

#include <cstring>
#include <utility>
#include <vector>

#include "platform/Dpi.h"
#include "skin/data/sSkinCommands.h"

namespace {

using platform::ScaleToDpi;

// The open plug-in window's scale, its font and its controls with their designs. A plug-in shows
// one window at a time.
struct TScaledWindow {
  WNDPROC windowProc = nullptr;
  int dpi = platform::kDesignDpi;
  HFONT font = nullptr;  // made for dpi; null while the stock font is right for it
  std::vector<std::pair<HWND, TDesignPlace>> controls;
} scaled;

HFONT WindowFont() {
  return scaled.font ? scaled.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The stock dialog font is made for the system's scale; a window on a monitor of another scale
// gets a copy made for its own, so that its text is neither blurred nor clipped.
HFONT FontFor(int dpi) {
  const int systemDpi = platform::WindowDpi(nullptr);
  LOGFONTA font;
  if (dpi == systemDpi || !GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font))
    return nullptr;
  font.lfHeight = platform::RescaleLength(font.lfHeight, systemDpi, dpi);
  return CreateFontIndirectA(&font);
}

RECT Scaled(const TDesignPlace& design) {
  const int x = ScaleToDpi(design.x, scaled.dpi), y = ScaleToDpi(design.y, scaled.dpi);
  return {x, y, x + ScaleToDpi(design.width, scaled.dpi),
          y + ScaleToDpi(design.height, scaled.dpi)};
}

void TakeScale(int dpi) {
  HFONT previous = scaled.font;
  scaled.dpi = dpi;
  scaled.font = FontFor(dpi);
  for (const auto& [control, design] : scaled.controls) {
    const RECT place = Scaled(design);
    MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top,
               TRUE);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont()), TRUE);
  }
  if (previous) DeleteObject(previous);
}

// Keeps the window at its monitor's scale, then lets the plug-in's own procedure see the message.
LRESULT CALLBACK ScaledWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    TakeScale(platform::WindowDpi(wnd));
  } else if (msg == WM_DPICHANGED) {
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(wnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    TakeScale(HIWORD(wParam));
  } else if (msg == WM_NCDESTROY) {
    scaled.controls.clear();
    if (scaled.font) DeleteObject(scaled.font);
    scaled.font = nullptr;
  }
  return scaled.windowProc(wnd, msg, wParam, lParam);
}

// The platform's dialog class, as an atom.
constexpr ATOM kDialogClass = 32770;

bool IsDialogClass(LPCSTR className) {
  if (IS_INTRESOURCE(className))
    return LOWORD(reinterpret_cast<ULONG_PTR>(className)) == kDialogClass;
  return className && lstrcmpA(className, "#32770") == 0;
}

// Marked as it is made, before the skin's own hook looks at it.
LRESULT CALLBACK MarkDialogs(int code, WPARAM wParam, LPARAM lParam) {
  auto wnd = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* cs = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
    if (!(cs->style & WS_CHILD) && IsDialogClass(cs->lpszClass))
      SetPropA(wnd, kOwnWindowProp, reinterpret_cast<HANDLE>(1));
  } else if (code == HCBT_DESTROYWND) {
    RemovePropA(wnd, kOwnWindowProp);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TOwnDialogs::TOwnDialogs()
    : hook_(SetWindowsHookExA(WH_CBT, MarkDialogs, nullptr, GetCurrentThreadId())) {}

TOwnDialogs::~TOwnDialogs() {
  if (hook_) UnhookWindowsHookEx(hook_);
}

void WritePluginName(unsigned char* buffer, const char* name) {
  size_t length = std::strlen(name);
  if (length > 255) length = 255;
  buffer[0] = static_cast<unsigned char>(length);
  std::memcpy(buffer + 1, name, length);
}

void ClosePluginWindow(HWND wnd) {
  if (HWND owner = GetWindow(wnd, GW_OWNER)) EnableWindow(owner, TRUE);
  RemovePropA(wnd, kOwnWindowProp);
  DestroyWindow(wnd);
}

void RunPluginWindow(const TPluginWindow& window, HWND owner) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  scaled.windowProc = window.windowProc;
  wc.lpfnWndProc = ScaledWindowProc;
  wc.hInstance = window.instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = window.className;
  RegisterClassExA(&wc);

  const int dpi = platform::WindowDpi(owner);
  RECT frame = {0, 0, ScaleToDpi(window.clientWidth, dpi), ScaleToDpi(window.clientHeight, dpi)};
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  int w = frame.right - frame.left, h = frame.bottom - frame.top;
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &area);
  HWND wnd = CreateWindowExA(WS_EX_DLGMODALFRAME, window.className, window.title, style,
                             area.left + (area.right - area.left - w) / 2,
                             area.top + (area.bottom - area.top - h) / 2, w, h, owner, nullptr,
                             window.instance, nullptr);
  if (wnd) {
    // The program's own window: it wears the program's skin when it is activated.
    SetPropA(wnd, kOwnWindowProp, reinterpret_cast<HANDLE>(1));
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(wnd, SW_SHOWNORMAL);
    MSG msg;
    BOOL got = TRUE;
    while (IsWindow(wnd) && (got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
      if (!IsDialogMessageA(wnd, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
    // The program is quitting: leave the request for its own loop, and end the window's work
    // and take the window down here, because the library is unloaded as soon as this call
    // returns.
    if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
    if (window.endWork) window.endWork();
    if (IsWindow(wnd)) ClosePluginWindow(wnd);
    if (owner) {
      EnableWindow(owner, TRUE);
      SetActiveWindow(owner);
    }
  }
  UnregisterClassA(window.className, window.instance);
}

HWND AddPluginControl(HWND parent, const char* kind, const char* text, DWORD style, DWORD exStyle,
                      const TDesignPlace& design, int id) {
  const RECT place = Scaled(design);
  HWND control = CreateWindowExA(
      exStyle, kind, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  if (!control) return nullptr;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont()), TRUE);
  scaled.controls.emplace_back(control, design);
  return control;
}

int PluginLength(int length) {
  return ScaleToDpi(length, scaled.dpi);
}
