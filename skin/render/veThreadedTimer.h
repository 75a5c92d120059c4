// A timer component whose ticks run on the thread that made it (the UI thread). The animations
// of forms and controls are driven by it: a tick never interrupts another tick of the same
// timer, and a timer made for an owner object can hand its ticks to a virtual Tick instead of
// an event handler.
#pragma once

#include <windows.h>

#include "framework/Classes.h"
#include "framework/Lifetime.h"

enum class TThreadPriority {
  tpIdle,
  tpLowest,
  tpLower,
  tpNormal,
  tpHigher,
  tpHighest,
  tpTimeCritical
};

class TveThreadedTimer : public fw::TComponent {
 public:
  explicit TveThreadedTimer(fw::TComponent* owner);
  // A timer for an owner object; with routeToTick its ticks call Tick instead of OnTimer. Timers
  // made this way start disabled.
  TveThreadedTimer(fw::TComponent* owner, bool routeToTick);
  ~TveThreadedTimer() override;
  std::string ClassName() const override { return "TveThreadedTimer"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  const fw::TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(fw::TNotifyEvent handler);
  // Stored only: every tick runs on the thread that owns the timer.
  TThreadPriority ThreadPriority() const { return priority_; }
  void SetThreadPriority(TThreadPriority value);

  // Whether the platform timer runs now.
  bool Running() const { return id_ != 0; }

 protected:
  virtual void Tick() {}

 private:
  static void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
  void Restart();
  void Stop();
  void Fire();

  bool enabled_ = true;
  bool routeToTick_ = false;
  bool inTick_ = false;
  fw::TLifetime life_;
  unsigned interval_ = 1000;
  fw::TNotifyEvent onTimer_;
  TThreadPriority priority_ = TThreadPriority::tpNormal;
  UINT_PTR id_ = 0;
};
