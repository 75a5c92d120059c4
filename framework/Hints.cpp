#include "framework/Hints.h"

#include <commctrl.h>

#include "framework/Controls.h"

namespace fw {

namespace {

constexpr UINT_PTR kToolId = 1;

struct HintState {
  HWND window = nullptr;
  TControl* control = nullptr;  // the control whose hint is pending or shown
  UINT_PTR timer = 0;
  int pause = 500;
};

HintState& State() {
  static HintState state;
  return state;
}

TOOLINFOA Tool(const char* text) {
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = State().window;
  tool.uId = kToolId;
  tool.lpszText = const_cast<char*>(text);
  return tool;
}

void ShowPendingHint() {
  HintState& state = State();
  if (!state.control) return;
  HWND window = HintWindow();
  TOOLINFOA tool = Tool(state.control->Hint().c_str());
  SendMessageA(window, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  // Below the cursor, clear of the pointer's own picture.
  POINT p;
  GetCursorPos(&p);
  SendMessageA(window, TTM_TRACKPOSITION, 0, MAKELPARAM(p.x, p.y + 20));
  SendMessageA(window, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void StopTimer() {
  HintState& state = State();
  if (state.timer) KillTimer(nullptr, state.timer);
  state.timer = 0;
}

void CALLBACK HintTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  StopTimer();
  ShowPendingHint();
}

}  // namespace

HWND HintWindow() {
  HintState& state = State();
  if (!state.window) {
    state.window = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool = Tool("");
    SendMessageA(state.window, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    // A control released while its hint is up takes the hint with it.
    AddControlDestroyedHandler(&state, [](TControl* control) { CancelHint(control); });
  }
  return state.window;
}

void ActivateHint(TControl* control) {
  CancelHint(nullptr);
  if (!control->ShowHint() || control->Hint().empty()) return;
  HintState& state = State();
  HintWindow();
  state.control = control;
  if (state.pause <= 0)
    ShowPendingHint();
  else
    state.timer = SetTimer(nullptr, 0, static_cast<UINT>(state.pause), &HintTimerProc);
}

void CancelHint(TControl* control) {
  HintState& state = State();
  if (!state.control || (control && control != state.control)) return;
  StopTimer();
  state.control = nullptr;
  TOOLINFOA tool = Tool("");
  SendMessageA(state.window, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void SetHintPause(int milliseconds) {
  State().pause = milliseconds;
}

}  // namespace fw
