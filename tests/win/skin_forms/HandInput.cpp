#include "tests/win/skin_forms/HandInput.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>

#include "tests/win/skin_forms/FormTestScreen.h"

namespace hand_input {

namespace {

constexpr DWORD kGiveUpAfter = 10000;
// A move not taken by then is given again: a stale move from the desktop's process may replace
// it in the queue.
constexpr DWORD kMoveAgainAfter = 150;

struct Hand {
  std::vector<INPUT> steps;
  size_t given = 0;
  bool taken = false;      // the last step given was taken from the queue
  POINT aimedAt{};         // where the last move was meant to go
  POINT lastMove{-1, -1};  // where the last move taken from the queue went
  DWORD givenAt = 0;
  DWORD deadline = 0;
  bool gaveUp = false;
};
Hand hand;

bool IsButton(const INPUT& step) {
  return step.mi.dwFlags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
}

POINT ScreenPoint(const INPUT& move) {
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  return {LONG((int64_t(move.mi.dx) * w) >> 16), LONG((int64_t(move.mi.dy) * h) >> 16)};
}

bool IsAny(WPARAM msg, std::initializer_list<UINT> list) {
  return std::find(list.begin(), list.end(), UINT(msg)) != list.end();
}

bool TakesLastStep(WPARAM msg, POINT pt) {
  DWORD flags = hand.steps[hand.given - 1].mi.dwFlags;
  if (flags & MOUSEEVENTF_LEFTDOWN)
    return IsAny(msg, {WM_LBUTTONDOWN, WM_NCLBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDBLCLK});
  if (flags & MOUSEEVENTF_LEFTUP) return IsAny(msg, {WM_LBUTTONUP, WM_NCLBUTTONUP});
  return IsAny(msg, {WM_MOUSEMOVE, WM_NCMOUSEMOVE}) && pt.x == hand.aimedAt.x &&
         pt.y == hand.aimedAt.y;
}

LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    POINT pt = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->pt;
    if (IsAny(wParam, {WM_MOUSEMOVE, WM_NCMOUSEMOVE})) hand.lastMove = pt;
    if (hand.given > 0 && !hand.taken) hand.taken = TakesLastStep(wParam, pt);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Past(DWORD time) {
  return LONG(GetTickCount() - time) >= 0;
}

void Give(INPUT step) {
  hand.givenAt = GetTickCount();
  SendInput(1, &step, sizeof(INPUT));
}

// The button is let go if it is held, and the platform's move or size loop is left as Escape
// leaves it.
void GiveUp() {
  if (hand.gaveUp) return;
  hand.gaveUp = true;
  int held = 0;
  for (size_t i = 0; i < hand.given; ++i) {
    if (hand.steps[i].mi.dwFlags & MOUSEEVENTF_LEFTDOWN) held = 1;
    if (hand.steps[i].mi.dwFlags & MOUSEEVENTF_LEFTUP) held = 0;
  }
  if (held) Give(Button(false));
  if (HWND captured = GetCapture()) PostMessageA(captured, WM_KEYDOWN, VK_ESCAPE, 0);
}

// A release over another program's window, with nothing of ours holding the mouse, is that
// program's: no hook of this thread sees it (a double-click that restored a maximised form leaves
// the pointer over the desktop).
bool ReleaseWentElsewhere() {
  const INPUT& step = hand.steps[hand.given - 1];
  if (!(step.mi.dwFlags & MOUSEEVENTF_LEFTUP) || GetCapture()) return false;
  HWND under = WindowFromPoint(ScreenPoint(step));
  return under && GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId();
}

void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD) {
  if (hand.gaveUp) return;
  if (Past(hand.deadline)) {
    GiveUp();
    return;
  }
  if (hand.given > 0 && !hand.taken) hand.taken = ReleaseWentElsewhere();
  if (hand.given > 0 && !hand.taken) {
    if (!IsButton(hand.steps[hand.given - 1]) && Past(hand.givenAt + kMoveAgainAfter))
      Give(hand.steps[hand.given - 1]);
    return;
  }
  if (hand.given == hand.steps.size()) return;
  const INPUT& step = hand.steps[hand.given++];
  hand.taken = false;
  if (!IsButton(step)) {
    hand.aimedAt = ScreenPoint(step);
    // Already there: under Wine a pointer crossing the display reported late, mapped with a
    // window's new place, can move the pointer ahead of the hand. The platform gives no move
    // to where the pointer is.
    hand.taken = hand.lastMove.x == hand.aimedAt.x && hand.lastMove.y == hand.aimedAt.y;
    if (hand.taken) return;
  }
  Give(step);
}

std::string Describe(const INPUT& step) {
  std::ostringstream text;
  POINT at = ScreenPoint(step);
  if (step.mi.dwFlags & MOUSEEVENTF_LEFTDOWN) text << "press at " << at.x << "," << at.y;
  if (step.mi.dwFlags & MOUSEEVENTF_LEFTUP) text << "release at " << at.x << "," << at.y;
  if (!IsButton(step)) text << "move to " << at.x << "," << at.y;
  return text.str();
}

}  // namespace

INPUT Button(bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  return in;
}

INPUT MoveTo(POINT at) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  // The smallest normalised value that lands on the pixel.
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = LONG((int64_t(at.x) * 65536 + w - 1) / w);
  in.mi.dy = LONG((int64_t(at.y) * 65536 + h - 1) / h);
  return in;
}

::testing::AssertionResult Mouse(POINT at, std::vector<INPUT> steps) {
  static DWORD lastTime = 0;
  PutCursor(at);
  // Well apart from an earlier scenario's clicks, then 10 ms between steps.
  DWORD time = std::max(GetTickCount(), lastTime + GetDoubleClickTime() + 100);
  // A press or release happens where the hand is, whatever moved the pointer meanwhile: under
  // Wine the desktop's own process reports pointer crossings late, as moves to where the pointer
  // was then.
  INPUT where = MoveTo(at);
  for (INPUT& step : steps) {
    step.mi.time = time += 10;
    if (!IsButton(step)) where = step;
    step.mi.dwFlags |= where.mi.dwFlags;
    step.mi.dx = where.mi.dx;
    step.mi.dy = where.mi.dy;
  }
  lastTime = time;
  hand = {std::move(steps)};
  hand.deadline = GetTickCount() + kGiveUpAfter;
  HHOOK hook = SetWindowsHookExA(WH_MOUSE, MouseHook, nullptr, GetCurrentThreadId());
  UINT_PTR timer = SetTimer(nullptr, 0, 10, NextStep);
  auto done = [] { return hand.given == hand.steps.size() && hand.taken; };
  while (!done() && !hand.gaveUp) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    fw::Application.ProcessMessages();
    if (Past(hand.deadline)) GiveUp();
  }
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(hook);
  Pump();
  if (done()) return ::testing::AssertionSuccess();
  POINT cursor{};
  GetCursorPos(&cursor);
  if (hand.given == 0) return ::testing::AssertionFailure() << "no step was given";
  return ::testing::AssertionFailure()
         << "step " << hand.given << " of " << hand.steps.size() << " ("
         << Describe(hand.steps[hand.given - 1]) << ") was not taken within " << kGiveUpAfter / 1000
         << " s; the cursor is at " << cursor.x << "," << cursor.y;
}

}  // namespace hand_input
