#include "PluginWindow.h"

#include <cstring>

#include "skin/data/sSkinCommands.h"

namespace {

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
  wc.lpfnWndProc = window.windowProc;
  wc.hInstance = window.instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = window.className;
  RegisterClassExA(&wc);

  RECT frame = {0, 0, window.clientWidth, window.clientHeight};
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
