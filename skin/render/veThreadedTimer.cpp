#include "skin/render/veThreadedTimer.h"

#include <unordered_map>
#include <utility>

namespace {

// Thread timers carry no pointer of their own: their ids lead back to the live objects. A tick
// whose id is no longer here belongs to a timer freed in between and is ignored.
std::unordered_map<UINT_PTR, TveThreadedTimer*>& LiveTimers() {
  thread_local std::unordered_map<UINT_PTR, TveThreadedTimer*> timers;
  return timers;
}

}  // namespace

TveThreadedTimer::TveThreadedTimer(fw::TComponent* owner) : fw::TComponent(owner) {}

TveThreadedTimer::TveThreadedTimer(fw::TComponent* owner, bool routeToTick)
    : fw::TComponent(owner), enabled_(false), routeToTick_(routeToTick) {}

TveThreadedTimer::~TveThreadedTimer() {
  Stop();
  life_.End();
}

void TveThreadedTimer::SetEnabled(bool value) {
  enabled_ = value;
  Restart();
}

void TveThreadedTimer::SetInterval(unsigned milliseconds) {
  interval_ = milliseconds;
  Restart();
}

void TveThreadedTimer::SetOnTimer(fw::TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  Restart();
}

void TveThreadedTimer::SetThreadPriority(TThreadPriority value) {
  priority_ = value;
  Restart();
}

void TveThreadedTimer::Stop() {
  if (!id_) return;
  KillTimer(nullptr, id_);
  LiveTimers().erase(id_);
  id_ = 0;
}

void TveThreadedTimer::Restart() {
  Stop();
  if (!enabled_ || interval_ == 0 || (!routeToTick_ && !onTimer_)) return;
  id_ = SetTimer(nullptr, 0, interval_, &TimerProc);
  if (id_) LiveTimers()[id_] = this;
}

void CALLBACK TveThreadedTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto found = LiveTimers().find(id);
  if (found == LiveTimers().end()) {
    KillTimer(nullptr, id);
    return;
  }
  found->second->Fire();
}

void TveThreadedTimer::Fire() {
  // A handler that pumps messages would otherwise receive the next tick inside itself.
  if (inTick_) return;
  // Animations free their timer from its last tick, and a handler may replace itself: the tick
  // runs a copy of the handler, and nothing of the timer is touched once it was freed, even when
  // the handler throws.
  struct TickScope {
    explicit TickScope(TveThreadedTimer& t) : timer(t), alive(t.life_.Token()) {
      timer.inTick_ = true;
    }
    ~TickScope() {
      if (alive) timer.inTick_ = false;
    }
    TveThreadedTimer& timer;
    fw::TLifeToken alive;
  } scope(*this);
  if (routeToTick_) {
    Tick();
  } else if (onTimer_) {
    fw::TNotifyEvent handler = onTimer_;
    handler(this);
  }
}
