#include "framework/Application.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "framework/Forms.h"
#include "framework/IconFile.h"
#include "text/Paths.h"
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
  iconPath_ = path;
  iconFile_ = std::move(data);
}

HICON TApplication::MakeIcon(int size) const {
  return iconFile_.empty() ? nullptr : IconFromFile(iconPath_, iconFile_, size);
}

HWND TApplication::Handle() const {
  return mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
}

void TApplication::RemoveForm(TForm* form) {
  std::erase(forms_, form);
}

int TApplication::HookMainWindow(TWindowHook hook) {
  hooks_.emplace_back(nextHookId_, std::make_shared<TWindowHook>(std::move(hook)));
  return nextHookId_++;
}

void TApplication::UnhookMainWindow(int id) {
  std::erase_if(hooks_, [id](const auto& hook) { return hook.first == id; });
}

bool TApplication::RunMainWindowHooks(TMessage& message) {
  if (hooks_.empty()) return false;
  // A hook may add or remove hooks while it runs; one removed meanwhile is not called.
  auto hooks = hooks_;
  for (const auto& [id, hook] : hooks) {
    bool present = std::any_of(hooks_.begin(), hooks_.end(),
                               [id = id](const auto& h) { return h.first == id; });
    if (present && (*hook)(message)) return true;
  }
  return false;
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
  ReportPendingException();
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
    ReportPendingException();
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::Dispatch(MSG& msg) {
  struct Depth {
    TApplication& app;
    explicit Depth(TApplication& a) : app(a) { ++app.dispatchDepth_; }
    ~Depth() {
      if (--app.dispatchDepth_ > 0) return;
      // Objects freed here may let go of others.
      while (!app.freeAfterMessage_.empty()) std::exchange(app.freeAfterMessage_, {}).clear();
    }
  } depth(*this);
  DispatchOne(msg);
}

void TApplication::FreeAfterMessage(std::shared_ptr<void> object) {
  // Outside any message a message of its own makes sure that a next one ends.
  if (dispatchDepth_ == 0 && freeAfterMessage_.empty())
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
  freeAfterMessage_.push_back(std::move(object));
}

TMessageTest& ThreadPrivateMessages() {
  static TMessageTest privateMessages;
  return privateMessages;
}

bool IsThreadPrivate(UINT msg, WPARAM wParam, LPARAM lParam) {
  const TMessageTest& privateMessages = ThreadPrivateMessages();
  return privateMessages && privateMessages(msg, wParam, lParam);
}

namespace {

// The lParams of this thread's own sends of thread-private messages now under way.
thread_local std::vector<LPARAM> ownSends;

}  // namespace

TOwnSend::TOwnSend(LPARAM lParam) {
  ownSends.push_back(lParam);
}

TOwnSend::~TOwnSend() {
  ownSends.pop_back();
}

bool RefusedFromElsewhere(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A send from this thread, and a posted message, read as "not sent"; the loop drops the latter.
  return IsThreadPrivate(msg, wParam, lParam) && InSendMessageEx(nullptr) != ISMEX_NOSEND &&
         std::find(ownSends.begin(), ownSends.end(), lParam) == ownSends.end();
}

void TApplication::DispatchOne(MSG& msg) {
  if (IsThreadPrivate(msg.message, msg.wParam, msg.lParam)) return;
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(root));
  if (form && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
    try {
      // The focused control first, then the form's menu.
      if (TWinControl* target = TWinControl::FromHandle(msg.hwnd);
          target && target->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam))
        return;
      if (form->IsShortCut(ShortCutFromKey(msg.wParam))) return;
    } catch (const std::exception& error) {
      ShowException(error);
      return;
    }
  }
  if (form && msg.message == WM_SYSCHAR && form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam))
    return;
  if (form && IsDialogMessageA(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void TApplication::ShowException(const std::exception& error) const {
  if (dynamic_cast<const EAbort*>(&error)) return;
  std::string caption = title_;
  if (caption.empty()) {
    caption = ExtractFileName(platform::CurrentHost().ExecutablePath());
    if (size_t dot = caption.rfind('.'); dot != std::string::npos) caption.erase(dot);
  }
  platform::CurrentHost().ShowMessage(nullptr, error.what(), caption, platform::MbIconError);
}

void TApplication::ShowExceptionLater(const std::exception& error) {
  if (dynamic_cast<const EAbort*>(&error)) return;
  std::string text = *error.what() ? error.what() : "Unknown error";
  if (reporting_ || !pendingError_.empty() || text == lastLaterError_) return;
  pendingError_ = lastLaterError_ = text;
  // Wakes a loop that waits for messages, so the error does not wait for the next input.
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void TApplication::ReportPendingException() {
  if (pendingError_.empty() || reporting_) return;
  std::runtime_error error(std::exchange(pendingError_, std::string()));
  reporting_ = true;
  ShowException(error);
  reporting_ = false;
}

TApplication::~TApplication() {
  if (icon_) DestroyIcon(icon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

}  // namespace fw
