// The animation timer: ticks on the UI thread, restarts on every setting change, never ticks
// inside its own tick, and can be freed by its own handler.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "skin/render/veThreadedTimer.h"

namespace {

// Runs the thread's messages until done() or about a second has gone.
template <typename Done>
void PumpUntil(Done done) {
  DWORD start = GetTickCount();
  MSG msg;
  while (!done() && GetTickCount() - start < 1000) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  }
}

TEST(ThreadedTimer, RunsOnlyWhenEnabledWithIntervalAndHandlerAndNeverInsideItsOwnTick) {
  TveThreadedTimer timer(nullptr);
  EXPECT_FALSE(timer.Running());  // no handler yet
  int ticks = 0, nested = 0, depth = 0;
  timer.SetInterval(5);
  timer.SetOnTimer([&](fw::TObject*) {
    if (depth) ++nested;
    ++depth;
    ++ticks;
    // The handler pumps messages for a few intervals: the ticks arriving meanwhile are dropped.
    if (ticks == 1) {
      DWORD start = GetTickCount();
      MSG msg;
      while (GetTickCount() - start < 40)
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    --depth;
  });
  EXPECT_TRUE(timer.Running());
  PumpUntil([&] { return ticks >= 3; });
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(nested, 0);

  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  timer.SetInterval(7);  // a disabled timer stays stopped
  EXPECT_FALSE(timer.Running());
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Running());
  timer.SetInterval(0);
  EXPECT_FALSE(timer.Running());
}

struct Counter : TveThreadedTimer {
  explicit Counter(int& ticks) : TveThreadedTimer(nullptr, true), ticks_(ticks) {}
  void Tick() override {
    // The last tick frees the timer, as finished animations do.
    if (++ticks_ == 2) delete this;
  }
  int& ticks_;
};

TEST(ThreadedTimer, AnOwnedTimerStartsDisabledTicksItsOwnTickAndMayFreeItselfThere) {
  int ticks = 0;
  auto* timer = new Counter(ticks);
  EXPECT_FALSE(timer->Running());
  timer->SetInterval(5);
  EXPECT_FALSE(timer->Running());
  timer->SetEnabled(true);
  PumpUntil([&] { return ticks >= 2; });
  // Freed with its platform timer: no further tick reaches the freed object.
  PumpUntil([] { return false; });
  EXPECT_EQ(ticks, 2);
}

}  // namespace
