// The yardstick of the start-up timing (startup.sh): a bare Win32 window with the main window's
// controls, no skin and no scan. It has the same client size, the list view with the same four
// columns, the status bar, the group box with six labels, four buttons and a menu bar, all made
// with plain CreateWindow calls: the least a user could wait for such a window.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <initializer_list>

namespace {

constexpr int kClientWidth = 722, kClientHeight = 454;

HMENU MenuBar() {
  struct Item {
    const char* caption;
    const char* items[10];
  };
  const Item menus[] = {
      {"Scan Driver", {"Scan recommended drivers", "Scan all drivers", "-", "Exit\tCtrl+F4"}},
      {"Backup",
       {"Backup selected drivers\tF9", "-", "Backup recommended drivers\tF10",
        "Back all drivers\tF11", "-", "Browse backup folder..."}},
      {"Help",
       {"Help Content\tF1", "How Tos && Tutorial Videos...", "-", "Home Page...",
        "More Free Tools...", "-", "Check for Updates...", "Contact Technical Support...", "-",
        "About..."}},
  };
  HMENU bar = CreateMenu();
  for (const Item& menu : menus) {
    HMENU popup = CreatePopupMenu();
    for (const char* caption : menu.items) {
      if (!caption) break;
      if (std::strcmp(caption, "-") == 0)
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      else
        AppendMenuA(popup, MF_STRING, 0, caption);
    }
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.caption);
  }
  return bar;
}

HWND Child(const char* className, const char* text, DWORD style, int x, int y, int w, int h,
           HWND parent, HFONT font) {
  HWND wnd = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(wnd, WM_SETFONT, WPARAM(font), FALSE);
  return wnd;
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

HWND CreateMainWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = "BareMain";
  RegisterClassA(&wc);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&r, style, TRUE, 0);
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const int w = r.right - r.left, h = r.bottom - r.top;
  return CreateWindowExA(
      0, "BareMain", "Driver Keeper", style, area.left + (area.right - area.left - w) / 2,
      area.top + (area.bottom - area.top - h) / 2, w, h, nullptr, MenuBar(), wc.hInstance, nullptr);
}

void AddControls(HWND main) {
  HFONT font =
      CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
  HWND list = Child(WC_LISTVIEWA, "", LVS_REPORT | WS_BORDER, 5, 8, 708, 242, main, font);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  const char* captions[] = {"Device", "Type", "Action", ""};
  const int widths[] = {320, 220, 100, 0};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = widths[i];
    column.pszText = const_cast<char*>(captions[i]);
    SendMessageA(list, LVM_INSERTCOLUMNA, i, LPARAM(&column));
  }

  HWND status = Child(STATUSCLASSNAMEA, "", 0, 0, 434, 722, 20, main, font);
  int panels[] = {440, 490};
  SendMessageA(status, SB_SETPARTS, 2, LPARAM(panels));
  SendMessageA(status, SB_SETTEXTA, 0, LPARAM("0 drivers found."));

  HWND group = Child("Button", "More information about selected device", BS_GROUPBOX, 5, 260, 588,
                     166, main, font);
  for (int top : {24, 47, 71, 94, 118, 142})
    Child("Static", "...", SS_NOPREFIX, 16, top, 560, 13, group, font);
  const char* buttons[] = {"&Backup", "&Select All", "&Select Invert", "&Exit"};
  for (int i = 0; i < 4; ++i)
    Child("Button", buttons[i], WS_TABSTOP, 600, 266 + 40 * i, 113, 39, main, font);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  HWND main = CreateMainWindow();
  AddControls(main);
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
