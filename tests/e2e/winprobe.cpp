// winprobe: looks at the windows of the running Wine session the way a person would see them,
// for end-to-end tests.
//
//   winprobe list              every visible top-level window and its child controls
//   winprobe close CLASS       asks the first visible top-level window of CLASS to close
//   winprobe press TEXT [TITLE] clicks the button captioned TEXT (access-key "&" ignored) in the
//                              first visible top-level window, titled TITLE if given, that has one
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

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

}  // namespace

int main(int argc, char** argv) {
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
  std::fprintf(stderr, "usage: winprobe list | close CLASS | press BUTTON [TITLE]\n");
  return 2;
}
