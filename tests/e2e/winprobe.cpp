// winprobe: looks at the windows of the running Wine session the way a person would see them,
// for end-to-end tests.
//
//   winprobe list              every visible top-level window and its child controls
//   winprobe close CLASS       asks the first visible top-level window of CLASS to close
//   winprobe press TEXT [TITLE] clicks the button captioned TEXT (access-key "&" ignored) in the
//                              first visible top-level window, titled TITLE if given, that has one
//   winprobe focus CLASS       brings the first visible top-level window of CLASS to the front,
//                              so that typed keys go to it
//   winprobe rows CLASS        the rows of the list view in that window: "row N [x] a|b|c"
//   winprobe click-row CLASS N clicks row N of that list view with the mouse
//   winprobe menu CLASS        the window's menu bar, one line per item, sub-items indented
//   winprobe rect CLASS        the window rectangle on screen, and whether the window carries
//                              the platform system menu ("sysmenu" / "nosysmenu")
//   winprobe list-view CLASS   that list view's scroll state and place on screen:
//                              "top T page P count C selected S window L T R B client L T R B"
//                              (top row, whole rows per page, rows, first selected row or -1)
//   winprobe fit CLASS FACE SIZE  whether the window's text fits at the display's scale, measured
//                              in the font FACE of SIZE pixels at 96 DPI, scaled: "dpi D", then
//                              "row H font F" (the list's row height, the font's line height),
//                              "column W T" per column header and "text W T CAPTION" per child
//                              window with a caption (its client width, the text's width)
//   winprobe time-return CLASS presses Return in that window (on a menu item opened with the
//                              keyboard before) and prints the milliseconds until the status
//                              bar's text changes
//   winprobe time-pages CLASS  scrolls that list view to the top, then page by page to the last
//                              row; each page is scrolled, then the whole list (rows, header,
//                              frame and scroll bar) painted again, one line per page:
//                              "page N top T scroll X paint Y" (milliseconds)
//   winprobe time-dpi CLASS FROM DPI...  sends that window, at scale FROM, WM_DPICHANGED for
//                              each scale in turn (its rectangle scaled) and repaints it whole,
//                              one line per scale:
//                              "dpi D message M paint P total T" (milliseconds)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace {

std::string Text(HWND wnd) {
  char buf[1024] = {};
  SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return buf;
}

std::string ClassOf(HWND wnd) {
  char buf[256] = {};
  GetClassNameA(wnd, buf, sizeof buf);
  return buf;
}

BOOL CALLBACK ListChild(HWND child, LPARAM) {
  RECT r;
  GetWindowRect(child, &r);
  std::printf("  child %s \"%s\" %s %ld,%ld %ldx%ld\n", ClassOf(child).c_str(), Text(child).c_str(),
              IsWindowVisible(child) ? "visible" : "hidden", r.left, r.top, r.right - r.left,
              r.bottom - r.top);
  return TRUE;
}

BOOL CALLBACK ListTop(HWND wnd, LPARAM) {
  if (!IsWindowVisible(wnd)) return TRUE;
  RECT r;
  GetWindowRect(wnd, &r);
  std::printf("window %s \"%s\" %s %ldx%ld\n", ClassOf(wnd).c_str(), Text(wnd).c_str(),
              IsWindowEnabled(wnd) ? "enabled" : "disabled", r.right - r.left, r.bottom - r.top);
  EnumChildWindows(wnd, ListChild, 0);
  return TRUE;
}

std::string WithoutAccessKeys(const std::string& text) {
  std::string plain;
  for (char c : text)
    if (c != '&') plain += c;
  return plain;
}

struct Search {
  const char* className;
  const char* title;
  HWND found;
};

BOOL CALLBACK FindTop(HWND wnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (!IsWindowVisible(wnd)) return TRUE;
  if (search->className && ClassOf(wnd) != search->className) return TRUE;
  if (search->title && Text(wnd) != search->title) return TRUE;
  search->found = wnd;
  return FALSE;
}

BOOL CALLBACK FindButton(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (ClassOf(child) != "Button" || WithoutAccessKeys(Text(child)) != search->title) return TRUE;
  search->found = child;
  return FALSE;
}

struct Press {
  const char* button;
  const char* title;
  HWND window, found;
};

BOOL CALLBACK FindTopWithButton(HWND wnd, LPARAM param) {
  auto* press = reinterpret_cast<Press*>(param);
  if (!IsWindowVisible(wnd) || (press->title && Text(wnd) != press->title)) return TRUE;
  Search button = {nullptr, press->button, nullptr};
  EnumChildWindows(wnd, FindButton, reinterpret_cast<LPARAM>(&button));
  if (!button.found) return TRUE;
  press->window = wnd;
  press->found = button.found;
  return FALSE;
}

HWND FindTopOfClass(const char* className) {
  Search search = {className, nullptr, nullptr};
  EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK FindListView(HWND child, LPARAM param) {
  if (ClassOf(child) != "SysListView32") return TRUE;
  *reinterpret_cast<HWND*>(param) = child;
  return FALSE;
}

HWND ListViewOf(const char* className) {
  HWND top = FindTopOfClass(className), list = nullptr;
  if (top) EnumChildWindows(top, FindListView, reinterpret_cast<LPARAM>(&list));
  return list;
}

// A block of memory in the process that owns a window, for messages that take pointers.
class RemoteBlock {
 public:
  RemoteBlock(HWND wnd, size_t size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  char* Address() const { return static_cast<char*>(address_); }
  void Write(size_t offset, const void* data, size_t size) {
    WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
  }
  void Read(size_t offset, void* data, size_t size) {
    ReadProcessMemory(process_, Address() + offset, data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

std::string ItemText(HWND list, int row, int column) {
  RemoteBlock block(list, sizeof(LVITEMA) + 1024);
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = block.Address() + sizeof item;
  item.cchTextMax = 1024;
  block.Write(0, &item, sizeof item);
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.Address()));
  char text[1024] = {};
  block.Read(sizeof item, text, sizeof text - 1);
  return text;
}

int ListRows(const char* className) {
  HWND list = ListViewOf(className);
  if (!list) return 1;
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
  int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    UINT state = static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    std::printf("row %d [%c]", row, (state >> 12) == 2 ? 'x' : ' ');
    for (int column = 0; column < columns; ++column)
      std::printf("%s%s", column ? "|" : " ", ItemText(list, row, column).c_str());
    std::printf("\n");
  }
  return 0;
}

int ClickRow(const char* className, int row) {
  HWND list = ListViewOf(className);
  if (!list) return 1;
  RemoteBlock block(list, sizeof(RECT));
  RECT r = {LVIR_LABEL, 0, 0, 0};
  block.Write(0, &r, sizeof r);
  if (!SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(block.Address())))
    return 1;
  block.Read(0, &r, sizeof r);
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(list, WM_LBUTTONUP, 0, at);
  return 0;
}

std::string HeaderText(HWND header, int index) {
  RemoteBlock block(header, sizeof(HDITEMA) + 256);
  HDITEMA item = {};
  item.mask = HDI_TEXT | HDI_WIDTH;
  item.pszText = static_cast<char*>(block.Address()) + sizeof item;
  item.cchTextMax = 256;
  block.Write(0, &item, sizeof item);
  SendMessageA(header, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(block.Address()));
  char text[256] = {};
  block.Read(sizeof item, text, sizeof text - 1);
  return text;
}

BOOL CALLBACK FitChild(HWND child, LPARAM param) {
  HDC dc = reinterpret_cast<HDC>(param);
  const std::string text = WithoutAccessKeys(Text(child));
  const std::string kind = ClassOf(child);
  if (text.empty() || !IsWindowVisible(child) || kind == "msctls_statusbar32") return TRUE;
  RECT client;
  GetClientRect(child, &client);
  SIZE extent;
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  std::printf("text %ld %ld %s\n", client.right, extent.cx, text.c_str());
  return TRUE;
}

// The probe is aware of the display's scale: it sees the program's windows at their real size.
int Fit(const char* className, const char* face, int size) {
  HWND top = FindTopOfClass(className);
  HWND list = ListViewOf(className);
  if (!top || !list) return 1;
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  HFONT font = CreateFontA(-MulDiv(size, dpi, 96), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0,
                           0, 0, 0, face);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICA metrics;
  GetTextMetricsA(screen, &metrics);
  std::printf("dpi %d\n", dpi);
  RemoteBlock block(list, sizeof(RECT));
  RECT row = {LVIR_BOUNDS, 0, 0, 0};
  block.Write(0, &row, sizeof row);
  if (SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(block.Address())))
    block.Read(0, &row, sizeof row);
  std::printf("row %ld font %ld\n", row.bottom - row.top, metrics.tmHeight);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  for (int i = 0, n = int(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)); i < n; ++i) {
    const std::string text = HeaderText(header, i);
    if (text.empty()) continue;
    SIZE extent;
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    std::printf("column %d %ld\n", int(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0)), extent.cx);
  }
  EnumChildWindows(top, FitChild, reinterpret_cast<LPARAM>(screen));
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return 0;
}

int ListViewState(const char* className) {
  HWND list = ListViewOf(className);
  if (!list) return 1;
  RECT window, client;
  GetWindowRect(list, &window);
  GetClientRect(list, &client);
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
  std::printf("top %d page %d count %d selected %d window %ld %ld %ld %ld client %ld %ld %ld %ld\n",
              int(SendMessageA(list, LVM_GETTOPINDEX, 0, 0)),
              int(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0)),
              int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)),
              int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)), window.left,
              window.top, window.right, window.bottom, client.left, client.top, client.right,
              client.bottom);
  return 0;
}

double Millis(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Runs what a call does and returns how long it took, in milliseconds.
template <typename Call>
double Timed(Call&& call) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  std::forward<Call>(call)();
  QueryPerformanceCounter(&end);
  return Millis(start, end);
}

// Painting another process's window from here is honest timing only when the paint runs inside
// the call: RDW_UPDATENOW sends WM_PAINT (and through BeginPaint WM_NCPAINT and WM_ERASEBKGND)
// and waits for each. Whatever is still waiting to be painted afterwards shows in the update
// regions, which the window system keeps for every process.
bool NothingLeftToPaint(HWND wnd) {
  RECT r;
  if (GetUpdateRect(wnd, &r, FALSE)) return false;
  for (HWND child = GetWindow(wnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (!NothingLeftToPaint(child)) return false;
  return true;
}

constexpr UINT kWholeRepaint =
    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

BOOL CALLBACK FindStatusBar(HWND child, LPARAM param) {
  if (ClassOf(child) != "msctls_statusbar32") return TRUE;
  *reinterpret_cast<HWND*>(param) = child;
  return FALSE;
}

// Waits as long as the window's thread is busy, unlike Text.
std::string WaitedText(HWND wnd) {
  char buf[1024] = {};
  SendMessageA(wnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
  return buf;
}

// Menus of another process cannot be read from here under Wine, so a menu item is chosen the way
// a person does: opened with the keyboard before, then Return, posted to the window's thread,
// where the menu's own loop takes it. The command has run once the status bar says something
// else: asking for its text waits while the window's thread is busy.
int TimeReturn(const char* className) {
  HWND top = FindTopOfClass(className), status = nullptr;
  if (top) EnumChildWindows(top, FindStatusBar, reinterpret_cast<LPARAM>(&status));
  if (!status) return 1;
  const std::string before = WaitedText(status);
  LARGE_INTEGER start, now;
  QueryPerformanceCounter(&start);
  PostMessageA(top, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(top, WM_KEYUP, VK_RETURN, 0xC0000001);
  std::string text;
  do {
    text = WaitedText(status);
    QueryPerformanceCounter(&now);
  } while (text == before && Millis(start, now) < 600000);
  if (text == before) {
    std::fprintf(stderr, "winprobe: the status bar still says \"%s\"\n", before.c_str());
    return 1;
  }
  std::printf("%.3f\n", Millis(start, now));
  return 0;
}

int TimePages(const char* className) {
  HWND list = ListViewOf(className);
  if (!list) return 1;
  // The check of the timing itself: an invalidated list shows as waiting to be painted here.
  // An idle program may paint it before this process looks (on a loaded machine this process
  // can lose the processor in between), so it is tried a few times.
  bool seen = false;
  for (int attempt = 0; attempt < 20 && !seen; ++attempt) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    seen = !NothingLeftToPaint(list);
  }
  if (!seen) {
    std::fprintf(stderr, "winprobe: the list's update region cannot be seen from here\n");
    return 1;
  }
  SendMessageA(list, WM_VSCROLL, SB_TOP, 0);
  RedrawWindow(list, nullptr, nullptr, kWholeRepaint);
  const int count = int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  int previous = int(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  for (int page = 1; page <= count; ++page) {
    double scroll = Timed([&] { SendMessageA(list, WM_VSCROLL, SB_PAGEDOWN, 0); });
    int top = int(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    if (top == previous) break;
    previous = top;
    double paint = Timed([&] { RedrawWindow(list, nullptr, nullptr, kWholeRepaint); });
    if (!NothingLeftToPaint(list)) {
      std::fprintf(stderr, "winprobe: page %d was not painted inside the timed call\n", page);
      return 1;
    }
    std::printf("page %d top %d scroll %.3f paint %.3f\n", page, top, scroll, paint);
  }
  return 0;
}

// Tells the window, at the first scale given, it is on monitors of the other scales in turn, as the
// system does when it is moved across them: WM_DPICHANGED with the window's rectangle scaled about
// its top-left corner, then the repaint of the whole window and its children. Per scale: "dpi D
// message M paint P total T" (milliseconds; the total runs from the message's sending to the
// paint's end).
int TimeDpi(const char* className, int argc, char** argv) {
  HWND top = FindTopOfClass(className);
  if (!top) return 1;
  int from = std::atoi(argv[0]);
  for (int i = 1; i < argc; ++i) {
    const int to = std::atoi(argv[i]);
    if (to <= 0 || from <= 0) return 2;
    RECT now;
    GetWindowRect(top, &now);
    RemoteBlock block(top, sizeof(RECT));
    const RECT suggested = {now.left, now.top, now.left + MulDiv(now.right - now.left, to, from),
                            now.top + MulDiv(now.bottom - now.top, to, from)};
    block.Write(0, &suggested, sizeof suggested);
    LARGE_INTEGER start, sent, painted;
    QueryPerformanceCounter(&start);
    SendMessageA(top, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(block.Address()));
    QueryPerformanceCounter(&sent);
    RedrawWindow(top, nullptr, nullptr, kWholeRepaint);
    QueryPerformanceCounter(&painted);
    if (!NothingLeftToPaint(top)) {
      std::fprintf(stderr, "winprobe: the window was not painted inside the timed call\n");
      return 1;
    }
    std::printf("dpi %d message %.3f paint %.3f total %.3f\n", to, Millis(start, sent),
                Millis(sent, painted), Millis(start, painted));
    from = to;
  }
  return 0;
}

void ListMenu(HMENU menu, int depth) {
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    char text[256] = {};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    std::printf("%*s%s%s\n", depth * 2, "", (state & MF_SEPARATOR) ? "-" : text,
                (state & MF_GRAYED) ? " (disabled)" : "");
    if (HMENU sub = GetSubMenu(menu, i)) ListMenu(sub, depth + 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  SetProcessDPIAware();
  if (argc >= 2 && !std::strcmp(argv[1], "list")) {
    EnumWindows(ListTop, 0);
    return 0;
  }
  if (argc == 3 && !std::strcmp(argv[1], "close")) {
    Search search = {argv[2], nullptr, nullptr};
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    return 0;
  }
  if ((argc == 3 || argc == 4) && !std::strcmp(argv[1], "press")) {
    Press press = {argv[2], argc == 4 ? argv[3] : nullptr, nullptr, nullptr};
    EnumWindows(FindTopWithButton, reinterpret_cast<LPARAM>(&press));
    if (!press.found) return 1;
    PostMessageA(press.window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(press.found), BN_CLICKED),
                 reinterpret_cast<LPARAM>(press.found));
    return 0;
  }
  if (argc == 3 && !std::strcmp(argv[1], "focus")) {
    HWND top = FindTopOfClass(argv[2]);
    if (!top) return 1;
    SetForegroundWindow(top);
    return 0;
  }
  if (argc == 3 && !std::strcmp(argv[1], "rect")) {
    HWND top = FindTopOfClass(argv[2]);
    RECT r;
    if (!top || !GetWindowRect(top, &r)) return 1;
    std::printf("%ld %ld %ld %ld %s\n", r.left, r.top, r.right, r.bottom,
                (GetWindowLongA(top, GWL_STYLE) & WS_SYSMENU) ? "sysmenu" : "nosysmenu");
    return 0;
  }
  if (argc == 3 && !std::strcmp(argv[1], "rows")) return ListRows(argv[2]);
  if (argc == 3 && !std::strcmp(argv[1], "list-view")) return ListViewState(argv[2]);
  if (argc == 5 && !std::strcmp(argv[1], "fit")) return Fit(argv[2], argv[3], std::atoi(argv[4]));
  if (argc == 3 && !std::strcmp(argv[1], "time-return")) return TimeReturn(argv[2]);
  if (argc == 3 && !std::strcmp(argv[1], "time-pages")) return TimePages(argv[2]);
  if (argc >= 5 && !std::strcmp(argv[1], "time-dpi")) return TimeDpi(argv[2], argc - 3, argv + 3);
  if (argc == 4 && !std::strcmp(argv[1], "click-row")) return ClickRow(argv[2], std::atoi(argv[3]));
  if (argc == 3 && !std::strcmp(argv[1], "menu")) {
    HWND top = FindTopOfClass(argv[2]);
    if (!top || !GetMenu(top)) return 1;
    ListMenu(GetMenu(top), 0);
    return 0;
  }
  std::fprintf(
      stderr,
      "usage: winprobe list | close CLASS | press BUTTON [TITLE] | focus CLASS |\n"
      "       rows CLASS | click-row CLASS N | menu CLASS | rect CLASS |\n"
      "       list-view CLASS | fit CLASS FACE SIZE | time-return CLASS | time-pages CLASS |\n"
      "       time-dpi CLASS FROM DPI...\n");
  return 2;
}
