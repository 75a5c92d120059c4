#include "skin/data/sSkinAppHook.h"

#include <memory>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinWindows.h"
#include "skin/data/sSkinWindowsWin32.h"

namespace {

// The manager being watched for; cleared when it goes, after which the handler only passes
// messages on.
std::shared_ptr<TsSkinManager*> watched;

constexpr UINT kRedrawAll =
    RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;

LRESULT ProviderOf(HWND wnd) {
  return SendMessageA(wnd, SkinCommandMsg, SkinCommandParam(CmdGetProvider), 0);
}

template <typename Hook, typename... Args>
auto Ask(const Hook& hook, Args... args) {
  using Result = decltype(hook(args...));
  return hook ? hook(args...) : Result();
}

// Answers true when the command was finished here.
bool Minimize(TsSkinManager& manager, HWND wnd) {
  if (IsIconic(wnd) || !IsWindowVisible(wnd)) return false;
  LRESULT provider = ProviderOf(wnd);
  if (!provider) return false;
  TsWin32ManagerHooks& hooks = Win32ManagerHooks();
  if (!manager.AnimEffects.Minimizing.Active) {
    Ask(hooks.HideBorderWindow, provider);
    return false;
  }
  if (!Ask(hooks.DrawsNonClient, provider)) return false;
  Ask(hooks.SuppressAnimation, provider);
  Ask(hooks.StartMinimizeAnimation, provider);
  if (CompositionEnabled()) return false;
  ShowWithoutAnimation(wnd, SW_MINIMIZE);
  return true;
}

bool Restore(TsSkinManager& manager, HWND wnd) {
  LRESULT provider = ProviderOf(wnd);
  if (!provider) return false;
  TsWin32ManagerHooks& hooks = Win32ManagerHooks();
  bool composition = CompositionEnabled();
  if (Ask(hooks.TakeHiddenState, provider)) {
    Ask(hooks.ShowBorderWindowAgain, provider);
    ShowWithoutAnimation(wnd, SW_RESTORE);
    if (composition) {
      RedrawWindow(wnd, nullptr, nullptr, kRedrawAll);
      SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) & ~WS_EX_LAYERED);
      SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return false;
  }
  if (manager.AnimEffects.Minimizing.Active && IsWindowVisible(wnd) &&
      Ask(hooks.DrawsNonClient, provider)) {
    if (!Ask(hooks.StartRestoreAnimation, provider)) {
      if (hooks.ShowFormDirectly)
        hooks.ShowFormDirectly(provider);
      else
        RedrawWindow(wnd, nullptr, nullptr, kRedrawAll);
    }
    if (composition) return false;
    ShowWithoutAnimation(wnd, SW_RESTORE);
    return true;
  }
  if (!composition) return false;
  ShowWithoutAnimation(wnd, SW_RESTORE);
  if (!IsWindowVisible(wnd)) ShowWindow(wnd, SW_SHOW);
  RedrawWindow(wnd, nullptr, nullptr, kRedrawAll);
  return true;
}

bool SysCommand(TsSkinManager& manager, HWND wnd, WPARAM command) {
  manager.AppSysCommand = command == SC_MINIMIZE ? 2 : command == SC_RESTORE ? 1 : 0;
  if (command == SC_MINIMIZE) return Minimize(manager, wnd);
  if (command == SC_RESTORE) return Restore(manager, wnd);
  return false;
}

// The main form is being hidden while the program ends: its provider may fade it out.
void Hiding(TsSkinManager& manager, HWND wnd) {
  const TveFormHide& hide = manager.AnimEffects.FormHide;
  if (!TsSkinWindows::Current().LayeredWindowsAvailable() || !hide.Active || hide.Time == 0 ||
      !fw::Application.Terminated() || IsIconic(wnd))
    return;
  LRESULT provider = ProviderOf(wnd);
  if (provider && Ask(Win32ManagerHooks().DrawsNonClient, provider))
    Ask(Win32ManagerHooks().AnimateApplicationHide, provider);
}

bool PopupBackground(LPARAM lParam) {
  TsWin32ManagerHooks& hooks = Win32ManagerHooks();
  auto* item = reinterpret_cast<fw::TMenuItem*>(lParam);
  std::optional<RECT> rect = Ask(hooks.FirstItemRect, item);
  if (!rect) return true;
  POINT centre{(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2};
  HWND popup = WindowFromPoint(centre);
  char className[16] = {};
  if (popup && GetClassNameA(popup, className, sizeof className) &&
      std::string_view(className) == "#32768")
    Ask(hooks.BuildPopupBackground, item, popup);
  return true;
}

void SendToFormsActivated() {
  for (fw::TForm* form : ApplicationForms())
    SendMessageA(form->Handle(), SkinCommandMsg, SkinCommandParam(CmdAppActivated), 0);
}

// Answers true when the message is finished and must not reach the form.
bool Watch(TsSkinManager& manager, HWND wnd, fw::TMessage& m) {
  switch (m.Msg) {
    case WM_SYSCOMMAND:
      return manager.GlobalInfo.IsLoaded && SysCommand(manager, wnd, m.WParam);
    case WM_WINDOWPOSCHANGED:
      if (reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags & SWP_HIDEWINDOW)
        Hiding(manager, wnd);
      return false;
    case WM_THEMECHANGED:
      return true;
    case WM_ACTIVATEAPP:
      if (m.WParam) SendToFormsActivated();
      return false;
    case kPopupBackgroundMsg:
      return manager.SkinnedPopups && PopupBackground(m.LParam);
    default:
      return false;
  }
}

}  // namespace

void HookApplicationWindow(TsSkinManager& manager) {
  auto* form = dynamic_cast<fw::TForm*>(manager.Owner());
  if (!form) form = fw::Application.MainForm();
  if (!form) return;
  watched = std::make_shared<TsSkinManager*>(&manager);
  fw::TWndMethod previous = form->WindowProc;
  form->WindowProc = [previous, form, current = watched](fw::TMessage& m) {
    if (*current && form->HandleAllocated() && Watch(**current, form->Handle(), m)) {
      m.Result = 0;
      return;
    }
    previous(m);
  };
}

void UnhookApplicationWindow(TsSkinManager& manager) {
  // Another manager's watch stays: only the manager it names is forgotten.
  if (!watched || *watched != &manager) return;
  *watched = nullptr;
  watched.reset();
}
