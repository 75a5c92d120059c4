#include <windows.h>
#include <shellapi.h>

#include "platform/Host.h"
#include "platform/SystemEntry.h"
#include "platform/Win32Error.h"

namespace platform {
namespace {

class Win32Host final : public Host {
 public:
  std::string ExecutablePath() override {
    char buf[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return std::string(buf, n);
  }

  std::string ReadFile(const std::string& path) override {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw FileOpenError(path, SystemErrorMessage(GetLastError()));
    std::string data;
    char chunk[65536];
    DWORD got = 0;
    BOOL ok;
    while ((ok = ::ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0)
      data.append(chunk, got);
    DWORD error = ok ? 0 : GetLastError();
    CloseHandle(file);
    if (!ok) throw FileOpenError(path, SystemErrorMessage(error));
    return data;
  }

  void ShellOpen(const std::string& target) override {
    // The shell is loaded on the first link opened, not at start-up.
    static const auto open = SystemEntry<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (open) open(nullptr, "Open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }

  void SetScreenCursor(Cursor cursor) override {
    cursor_ = cursor;
    SetCursor(CursorHandle(cursor));
  }

  Cursor ScreenCursor() override { return cursor_; }

  void InstallSystemHandCursor() override { hand_ = LoadCursor(nullptr, IDC_HAND); }

  int ShowMessage(void* owner, const std::string& text, const std::string& caption,
                  unsigned flags) override {
    return MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), flags);
  }

 private:
  HCURSOR CursorHandle(Cursor cursor) const {
    switch (cursor) {
      case Cursor::HourGlass:
        return LoadCursor(nullptr, IDC_WAIT);
      case Cursor::HandPoint:
        return hand_ ? hand_ : LoadCursor(nullptr, IDC_ARROW);
      case Cursor::Default:
        break;
    }
    return LoadCursor(nullptr, IDC_ARROW);
  }

  Cursor cursor_ = Cursor::Default;
  HCURSOR hand_ = nullptr;
};

}  // namespace

Host& DefaultHost() {
  static Win32Host host;
  return host;
}

}  // namespace platform
