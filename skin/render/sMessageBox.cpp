#include "skin/render/sMessageBox.h"

#include <string>
#include <vector>

#include "framework/Application.h"

namespace {

UINT ButtonStyle(TveMessageButtons b) {
  if (b & mbOK) return b & mbCancel ? MB_OKCANCEL : MB_OK;
  if (b & (mbAbort | mbIgnore)) return MB_ABORTRETRYIGNORE;
  if (b & (mbYes | mbNo)) return b & mbCancel ? MB_YESNOCANCEL : MB_YESNO;
  if (b & mbRetry) return MB_RETRYCANCEL;
  return MB_OK;
}

UINT IconStyle(int kind) {
  switch (kind) {
    case mkWarning:
      return MB_ICONEXCLAMATION;
    case mkError:
      return MB_ICONHAND;
    case mkInformation:
      return MB_ICONASTERISK;
    case mkConfirmation:
      return MB_ICONQUESTION;
    default:
      return 0;
  }
}

BOOL CALLBACK DisableEnabled(HWND wnd, LPARAM disabled) {
  if (IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    EnableWindow(wnd, FALSE);
    reinterpret_cast<std::vector<HWND>*>(disabled)->push_back(wnd);
  }
  return TRUE;
}

void CALLBACK OpenHelp(LPHELPINFO info) {
  const auto& help = MessageBoxHelp();
  if (help && info && info->dwContextId) help(DWORD(info->dwContextId));
}

}  // namespace

UINT MessageBoxStyle(int kind, TveMessageButtons buttons) {
  return IconStyle(kind) | ButtonStyle(buttons) | (buttons & mbHelp ? MB_HELP : 0);
}

std::function<void(DWORD)>& MessageBoxHelp() {
  static std::function<void(DWORD)> help;
  return help;
}

int ShowMessageBox(const std::string& text, int kind, TveMessageButtons buttons,
                   DWORD helpContext) {
  HWND active = GetActiveWindow();
  // Only the windows disabled here are enabled again: one that something else disabled (the
  // owner of a modal form, say) must stay disabled after the box.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), DisableEnabled, reinterpret_cast<LPARAM>(&disabled));
  MSGBOXPARAMSA params{};
  params.cbSize = sizeof params;
  params.hwndOwner = fw::Application.Handle();
  params.lpszText = text.c_str();
  params.lpszCaption = "";
  params.dwStyle = MessageBoxStyle(kind, buttons);
  params.dwContextHelpId = helpContext;
  params.lpfnMsgBoxCallback = OpenHelp;
  const int result = MessageBoxIndirectA(&params);
  for (HWND wnd : disabled)
    if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
  SetFocus(nullptr);
  if (active && IsWindow(active)) SetFocus(active);
  return result;
}
