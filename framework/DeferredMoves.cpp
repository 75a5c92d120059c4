#include "framework/DeferredMoves.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "framework/Controls.h"

namespace fw {

namespace {

thread_local TDeferredMoves* current = nullptr;

// Placed without painting and without erasing the parent: the root is painted once, whole.
constexpr UINT kQuietMove =
    SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_DEFERERASE;

// Windows sized by a move may place their own children from their WM_SIZE: those moves are made
// in a further round. The bound only guards against handlers that keep moving each other.
constexpr int kMaxRounds = 8;

void MoveQuietly(HWND wnd, const RECT& r) {
  SetWindowPos(wnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, kQuietMove);
}

}  // namespace

TDeferredMoves::TDeferredMoves(TWinControl& root) : root_(root), outer_(current) {
  current = this;
  // The shown children stop drawing: a platform control sizing its own parts (a list's header
  // and scroll bars) would otherwise have them painted at once. A control that keeps its own
  // drawing flag (a list) stays shown by it, so the platform's default stops it too. Hidden
  // ones, and those that already stopped drawing, are left as they are.
  for (int i = 0; i < root_.ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(root_.Controls(i));
        child && child->HandleAllocated() && IsWindowVisible(child->Handle())) {
      HWND wnd = child->Handle();
      SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
      if (IsWindowVisible(wnd)) DefWindowProcA(wnd, WM_SETREDRAW, FALSE, 0);
      silenced_.push_back(wnd);
    }
}

TDeferredMoves::~TDeferredMoves() {
  MakeMoves();
  current = outer_;
  // Handlers still moving each other after the last round have their last moves made as asked.
  for (const Move& m : std::exchange(moves_, {}))
    if (IsWindow(m.Wnd)) MoveQuietly(m.Wnd, m.Bounds);
  // Told while still hidden, so that a control catching up on its parts (a list's scroll bars)
  // paints nothing now; the repaint below covers it.
  for (HWND child : silenced_) {
    if (!IsWindow(child)) continue;
    SendMessageA(child, WM_SETREDRAW, TRUE, 0);
    DefWindowProcA(child, WM_SETREDRAW, TRUE, 0);
  }
  if (root_.HandleAllocated())
    RedrawWindow(root_.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

TDeferredMoves* TDeferredMoves::For(const TControl& control) {
  for (TDeferredMoves* pass = current; pass; pass = pass->outer_)
    for (const TControl* c = control.Parent(); c; c = c->Parent())
      if (c == &pass->root_) return pass;
  return nullptr;
}

void TDeferredMoves::Place(HWND wnd, RECT bounds) {
  auto it = std::find_if(moves_.begin(), moves_.end(), [&](const Move& m) { return m.Wnd == wnd; });
  if (it != moves_.end()) {
    it->Bounds = bounds;
    return;
  }
  moves_.push_back({wnd, GetParent(wnd), bounds});
}

void TDeferredMoves::MakeMoves() {
  for (int round = 0; round < kMaxRounds && !moves_.empty(); ++round) {
    std::vector<Move> moves = std::exchange(moves_, {});
    // One multiple-window move per parent: the platform places windows of one parent together.
    std::stable_sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) {
      return std::less<HWND>{}(a.Parent, b.Parent);
    });
    for (auto first = moves.begin(); first != moves.end();) {
      auto last = std::find_if(first, moves.end(),
                               [&](const Move& m) { return m.Parent != first->Parent; });
      HDWP batch = BeginDeferWindowPos(static_cast<int>(last - first));
      for (auto m = first; batch && m != last; ++m) {
        const RECT& r = m->Bounds;
        if (IsWindow(m->Wnd))
          batch = DeferWindowPos(batch, m->Wnd, nullptr, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, kQuietMove);
      }
      if (batch) {
        EndDeferWindowPos(batch);
      } else {
        // A batch the platform gave up is dropped whole: its windows are placed one by one.
        for (auto m = first; m != last; ++m)
          if (IsWindow(m->Wnd)) MoveQuietly(m->Wnd, m->Bounds);
      }
      first = last;
    }
  }
}

}  // namespace fw
