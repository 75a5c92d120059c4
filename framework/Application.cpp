#include "framework/Application.h"

#include <stdexcept>

#include "framework/Forms.h"
#include "framework/IconFile.h"
#include "framework/Paths.h"
#include "platform/Host.h"

namespace fw {

TApplication Application;

namespace {

HICON IconFromFile(const std::string& path, const std::string& data, int size) {
  std::optional<IconImage> image = PickIconImage(data, size);
  HICON icon = nullptr;
  if (image) {
    auto* bits = reinterpret_cast<BYTE*>(const_cast<char*>(data.data() + image->offset));
    icon = CreateIconFromResourceEx(bits, static_cast<DWORD>(image->size), TRUE, 0x00030000, size,
                                    size, LR_DEFAULTCOLOR);
  }
  if (!icon) throw std::runtime_error("Invalid icon file \"" + path + "\"");
  return icon;
}

}  // namespace

void TApplication::LoadIconFromFile(const std::string& path) {
  std::string data = platform::CurrentHost().ReadFile(path);
  HICON big = IconFromFile(path, data, GetSystemMetrics(SM_CXICON));
  HICON small = IconFromFile(path, data, GetSystemMetrics(SM_CXSMICON));
  if (icon_) DestroyIcon(icon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
  icon_ = big;
  smallIcon_ = small;
}

HWND TApplication::Handle() const {
  return mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
}

void TApplication::Run() {
  while (HandleMessage()) {
  }
}

bool TApplication::HandleMessage() {
  MSG msg;
  if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
    terminated_ = true;
    PostQuitMessage(0);
    return false;
  }
  Dispatch(msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::Dispatch(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(root));
  if (form && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
    try {
      if (form->IsShortCut(ShortCutFromKey(msg.wParam))) return;
    } catch (const std::exception& error) {
      ShowException(error);
      return;
    }
  }
  if (form && IsDialogMessageA(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void TApplication::ShowException(const std::exception& error) const {
  std::string caption = title_;
  if (caption.empty()) {
    caption = ExtractFileName(platform::CurrentHost().ExecutablePath());
    if (size_t dot = caption.rfind('.'); dot != std::string::npos) caption.erase(dot);
  }
  platform::CurrentHost().ShowMessage(nullptr, error.what(), caption, platform::MbIconError);
}

TApplication::~TApplication() {
  if (icon_) DestroyIcon(icon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

}  // namespace fw
