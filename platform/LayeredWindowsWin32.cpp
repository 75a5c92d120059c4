#include <windows.h>

#include "platform/GdiScopes.h"
#include "platform/LayeredWindows.h"

namespace platform {
namespace {

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                            BLENDFUNCTION*, DWORD);
using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up once: older systems lack the entries, and the program runs without them.
template <class Fn>
Fn User32Entry(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

class Win32LayeredWindows final : public LayeredWindows {
 public:
  bool Available() override { return update_ != nullptr; }

  bool Update(void* window, int x, int y, const img::Bitmap32& picture, uint8_t alpha) override {
    if (!update_ || picture.Empty() || !picture.DC()) return false;
    WindowDC screen(nullptr);
    POINT place{x, y}, source{0, 0};
    SIZE size{picture.Width(), picture.Height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    BOOL ok = update_(static_cast<HWND>(window), screen, &place, &size, picture.DC(), &source, 0,
                      &blend, ULW_ALPHA);
    return ok != FALSE;
  }

  bool UpdateAlpha(void* window, uint8_t alpha) override {
    if (!update_) return false;
    // Without a source the system keeps the window's picture, place and size.
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
    return update_(static_cast<HWND>(window), nullptr, nullptr, nullptr, nullptr, nullptr, 0,
                   &blend, ULW_ALPHA) != FALSE;
  }

  bool SetAlpha(void* window, uint8_t alpha) override {
    return attributes_ && attributes_(static_cast<HWND>(window), 0, alpha, LWA_ALPHA) != FALSE;
  }

 private:
  UpdateLayeredWindowFn update_ = User32Entry<UpdateLayeredWindowFn>("UpdateLayeredWindow");
  SetLayeredWindowAttributesFn attributes_ =
      User32Entry<SetLayeredWindowAttributesFn>("SetLayeredWindowAttributes");
};

}  // namespace

LayeredWindows& LayeredWindows::Default() {
  static Win32LayeredWindows windows;
  return windows;
}

}  // namespace platform
