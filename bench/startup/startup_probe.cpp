// Times a program's start-up as its user sees it, from outside the program: launches it, then
// looks every 5 ms for its main window on the screen with its list filled.
//
//   startup_probe.exe [--rows N] [--settle MS] PROGRAM [ARGUMENTS...]
//
// "On the screen" is a visible top-level window of the launched process, not faded out (a
// layered window must be fully opaque or no longer layered), holding a list view with at least N
// rows (default 0). Once it is, the probe prints one line and ends the program:
//   "<ms from launch> ms, <rows> rows, <resident KB> KB"
// The resident size is read after MS more milliseconds (default 0), when the program has
// settled; with --settle the row count is read then too, which tells a later run its N.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
  DWORD process;
  int rows;
  HWND list = nullptr;
};

bool FullyShown(HWND wnd) {
  if (!IsWindowVisible(wnd)) return false;
  if (!(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED)) return true;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags)) return false;
  return (flags & LWA_ALPHA) && alpha == 255;
}

int Rows(HWND list) {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &count)) return -1;
  return static_cast<int>(count);
}

BOOL CALLBACK FindList(HWND child, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  char name[64];
  if (!IsWindowVisible(child) || !GetClassNameA(child, name, sizeof name) ||
      std::strcmp(name, WC_LISTVIEWA) != 0)
    return TRUE;
  search.list = child;
  return FALSE;
}

BOOL CALLBACK FindMainWindow(HWND wnd, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(wnd, &owner);
  if (owner != search.process || !FullyShown(wnd)) return TRUE;
  search.list = nullptr;
  EnumChildWindows(wnd, FindList, data);
  if (search.list && Rows(search.list) >= search.rows) return FALSE;
  search.list = nullptr;
  return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  Search search{0, 0};
  DWORD settle = 0;
  int first = 1;
  for (; first + 1 < argc && argv[first][0] == '-'; first += 2) {
    if (std::strcmp(argv[first], "--rows") == 0)
      search.rows = std::atoi(argv[first + 1]);
    else if (std::strcmp(argv[first], "--settle") == 0)
      settle = static_cast<DWORD>(std::atoi(argv[first + 1]));
    else
      break;
  }
  if (first >= argc) {
    std::fputs("usage: startup_probe [--rows N] [--settle MS] PROGRAM [ARGUMENTS...]\n", stderr);
    return 2;
  }
  std::string commandLine;
  for (int i = first; i < argc; ++i) commandLine += std::string(i > first ? " " : "") + argv[i];

  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &child)) {
    std::fprintf(stderr, "startup_probe: cannot start %s (error %lu)\n", argv[first],
                 GetLastError());
    return 1;
  }
  search.process = child.dwProcessId;
  for (;;) {
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.list) break;
    if (WaitForSingleObject(child.hProcess, 5) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "startup_probe: %s ended before its window was shown\n", argv[first]);
      return 1;
    }
  }
  double shown = Milliseconds(start, now, frequency);
  Sleep(settle);
  int rows = Rows(search.list);
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(child.hProcess, &memory, sizeof memory);
  TerminateProcess(child.hProcess, 0);
  WaitForSingleObject(child.hProcess, INFINITE);
  std::printf("%.0f ms, %d rows, %llu KB\n", shown, rows,
              static_cast<unsigned long long>(memory.WorkingSetSize / 1024));
  return 0;
}
