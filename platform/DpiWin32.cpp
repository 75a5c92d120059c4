#include <windows.h>

#include "platform/Dpi.h"
#include "platform/SystemEntry.h"

namespace platform {
namespace {

using DpiForWindowFn = UINT(WINAPI*)(HWND);
using DpiForSystemFn = UINT(WINAPI*)();
using MetricsForDpiFn = int(WINAPI*)(int, UINT);
using ParametersForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using ThreadContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

// Windows 10 1607 and later have these; older systems have one scale for every window, so
// their own metrics are right for it.
template <typename Fn>
Fn User32Call(const char* name) {
  return SystemEntry<Fn>("user32.dll", name);
}

int ScreenDpi() {
  static const int dpi = [] {
    if (const auto forSystem = User32Call<DpiForSystemFn>("GetDpiForSystem"))
      return static_cast<int>(forSystem());
    HDC screen = GetDC(nullptr);
    const int found = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return found > 0 ? found : kDesignDpi;
  }();
  return dpi;
}

}  // namespace

int WindowDpi(void* window) {
  static const auto forWindow = User32Call<DpiForWindowFn>("GetDpiForWindow");
  if (window && forWindow) {
    if (const UINT dpi = forWindow(static_cast<HWND>(window))) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto forDpi = User32Call<MetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  const int own = GetSystemMetrics(index);
  const int system = ScreenDpi();
  return dpi == system ? own : MulDiv(own, dpi, system);
}

bool SystemParametersForDpi(unsigned action, unsigned param, void* data, int dpi) {
  static const auto forDpi = User32Call<ParametersForDpiFn>("SystemParametersInfoForDpi");
  if (forDpi) return forDpi(action, param, data, 0, static_cast<UINT>(dpi)) != FALSE;
  return SystemParametersInfoW(action, param, data, 0) != FALSE;
}

bool LetSystemStretchThread() {
  const auto setContext = User32Call<ThreadContextFn>("SetThreadDpiAwarenessContext");
  return setContext && setContext(DPI_AWARENESS_CONTEXT_UNAWARE) != nullptr;
}

}  // namespace platform
