// The process's creation time is the origin, so the first stamp also shows how long the loader
// took before the program's own code ran.
#include <windows.h>

#include <cstdio>

#include "platform/StartupTrace.h"

namespace platform {
namespace {

struct Trace {
  HANDLE file = INVALID_HANDLE_VALUE;
  ULONGLONG created = 0;  // 100 ns units, as FILETIME counts

  Trace() {
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("DK_TRACE_STARTUP", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    FILETIME creation, exit, kernel, user;
    if (GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user))
      created = Ticks(creation);
  }

  static ULONGLONG Ticks(const FILETIME& time) {
    return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  }
};

}  // namespace

void TraceStartup(const char* phase) {
  static const Trace trace;
  if (trace.file == INVALID_HANDLE_VALUE) return;
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  double ms = double(Trace::Ticks(now) - trace.created) / 10000.0;
  char line[256];
  int length = std::snprintf(line, sizeof line, "%9.1f ms  %s\r\n", ms, phase);
  if (length <= 0) return;
  DWORD written;
  WriteFile(trace.file, line, DWORD(length < int(sizeof line) ? length : sizeof line - 1), &written,
            nullptr);
}

}  // namespace platform
