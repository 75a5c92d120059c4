#include "skin/controls/veMnuWnd.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "framework/Application.h"
#include "platform/GdiScopes.h"
#include "platform/LayeredWindows.h"
#include "skin/controls/sSkinableMenus.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinWindows.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sSection.h"

namespace {

constexpr ATOM kPopupMenuAtom = 32768;

std::vector<std::unique_ptr<TveMnuWnd>>& MenuWindows() {
  static std::vector<std::unique_ptr<TveMnuWnd>> windows;
  return windows;
}

bool IsMenuClass(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return LOWORD(reinterpret_cast<ULONG_PTR>(name)) == kPopupMenuAtom;
  return name && std::string_view(name) == "#32768";
}

}  // namespace

TveMnuWnd::TveMnuWnd(HWND handle, TsSkinManager* manager)
    : TveMainWnd(handle, false, "MAINMENU", manager, nullptr) {}

const img::Bitmap32& TveMnuWnd::Picture() {
  RECT r;
  GetWindowRect(Handle, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  if (const img::Bitmap32* p = SkinableMenus().PopupPicture(Handle);
      p && p->Width() == w && p->Height() == h)
    return *p;
  if (cache_.Width() != w || cache_.Height() != h || FrameDirty) {
    cache_ = img::Bitmap32(std::max(w, 1), std::max(h, 1));
    const TsSkinModel& skin = Skin();
    PaintSection(&skin, skin.FindSection("MAINMENU"), "MAINMENU", EmptyBgSource, -1, -1, cache_,
                 {0, 0}, {0, 0, cache_.Width(), cache_.Height()}, 0);
  }
  return cache_;
}

void TveMnuWnd::EraseBackground(fw::TMessage& message) {
  const img::Bitmap32& picture = Picture();
  platform::WindowDC dc(Handle, false, reinterpret_cast<HDC>(message.WParam));
  RECT o = ClientRectInWindow(Handle);
  BitBlt(dc, 0, 0, picture.Width() - o.left, picture.Height() - o.top, picture.DC(), o.left, o.top,
         SRCCOPY);
  FrameDirty = 0;
  message.Result = 1;
}

void TveMnuWnd::PaintFrame() {
  const img::Bitmap32& picture = Picture();
  {
    platform::WindowDC dc(Handle, true);
    if (!dc) return;
    RECT client = ClientRectInWindow(Handle);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    BitBlt(dc, 0, 0, picture.Width(), picture.Height(), picture.DC(), 0, 0, SRCCOPY);
  }
  Reveal();
}

void TveMnuWnd::Reveal() {
  Shown = true;
  uint8_t alpha = SkinManager->MenuSupport.AlphaBlend;
  LONG ex = GetWindowLongA(Handle, GWL_EXSTYLE);
  if (alpha == 255) {
    if (ex & WS_EX_LAYERED) SetWindowLongA(Handle, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
  } else {
    if (!(ex & WS_EX_LAYERED)) SetWindowLongA(Handle, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    platform::LayeredWindows::Current().SetAlpha(Handle, alpha);
  }
  hidden_ = false;
}

void TveMnuWnd::Destroying() {
  Destroyed = true;
  FrameDirty = 0;
  SkinableMenus().ForgetPopup(Handle);
  auto& windows = MenuWindows();
  for (auto& w : windows)
    if (!w->Destroyed)
      RedrawWindow(w->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  // Still answering this message, the adapter goes once the message that closed the menu has
  // returned.
  auto self = std::find_if(windows.begin(), windows.end(),
                           [this](const auto& w) { return w.get() == this; });
  if (self == windows.end()) return;
  fw::Application.FreeAfterMessage(std::move(*self));
  windows.erase(self);
}

void TveMnuWnd::HandleMessage(fw::TMessage& message) {
  switch (message.Msg) {
    case WM_DESTROY:  // the adapter lets go here; WM_NCDESTROY never reaches it
      HandleCommon(message);
      Destroying();
      return;
    case WM_TIMER:
      PassOn(message);
      return;
    case WM_WINDOWPOSCHANGING: {
      PassOn(message);
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      if ((pos->flags & SWP_SHOWWINDOW) && !IsWindowVisible(Handle) && !Shown &&
          TsSkinWindows::Current().LayeredWindowsAvailable()) {
        SetWindowLongA(Handle, GWL_EXSTYLE, GetWindowLongA(Handle, GWL_EXSTYLE) | WS_EX_LAYERED);
        platform::LayeredWindows::Current().SetAlpha(Handle, 0);
        hidden_ = true;
      }
      return;
    }
    case WM_ERASEBKGND:
      // A picture that cannot be made leaves the platform's painting (no error may leave the
      // system's menu procedure).
      try {
        EraseBackground(message);
      } catch (const std::exception&) {
        PassOn(message);
      }
      return;
    case WM_NCPAINT:
      try {
        PaintFrame();
        message.Result = 0;
      } catch (const std::exception&) {
        PassOn(message);
      }
      return;
    case WM_PAINT:
      PassOn(message);
      // The items are the painter's now; a window whose frame is its client shows only now.
      if (hidden_) Reveal();
      return;
    default:
      break;
  }
  if (message.Msg == SkinCommandMsg) {
    switch (HIWORD(message.WParam)) {
      case CmdIsSkinned:
        message.Result = 1;
        return;
      case CmdSetDeferred:
        message.Result = FrameDirty;
        return;
      case CmdMenuFrameChanged:
        if (IsWindowVisible(Handle)) FrameDirty = 1;
        return;
      default:
        message.Result = 0;
        return;
    }
  }
  if (!HandleCommon(message)) PassOn(message);
}

void AdoptMenuWindow(HWND wnd, const CBT_CREATEWNDA* create) {
  TsSkinManager* manager = DefaultManager;
  if (!manager || !manager->Active() || !manager->SkinnedPopups || !create || !create->lpcs ||
      !IsMenuClass(create->lpcs->lpszClass) || TveMainWnd::AdapterFromHandle(wnd))
    return;
  MenuWindows().push_back(std::make_unique<TveMnuWnd>(wnd, manager));
}

size_t MenuWindowCount() {
  return MenuWindows().size();
}

void InstallMenuHooks() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  InstallMenuPainterHooks();
  TsWin32ManagerHooks& hooks = Win32ManagerHooks();
  auto previous = hooks.WindowCreating;
  hooks.WindowCreating = [previous](HWND wnd, CBT_CREATEWNDA* create) {
    if (previous) previous(wnd, create);
    AdoptMenuWindow(wnd, create);
  };
}
