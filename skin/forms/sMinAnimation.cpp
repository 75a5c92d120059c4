#include "skin/forms/sMinAnimation.h"

#include <algorithm>
#include <cmath>

#include "framework/Application.h"
#include "platform/LayeredWindows.h"
#include "skin/render/sAnimFrames.h"
#include "skin/render/sBlend.h"
#include "skin/render/sLayeredPopup.h"

namespace {

constexpr unsigned kInterval = 15;

}  // namespace

TveMinTimer::TveMinTimer(const img::Bitmap32& image, const TsRectF& from, const TsRectF& to,
                         int fromAlpha, int toAlpha, int steps, bool minimizing)
    : TveThreadedTimer(nullptr, true),
      image_(image),
      frames_(FlightFrames(from, to, fromAlpha, toAlpha, steps)),
      toAlpha_(toAlpha),
      minimizing_(minimizing),
      window_(CreateLayeredPopup(true)) {
  // The flight shows the form's picture opaque, whatever its alpha.
  SetRectAlpha(image_, {0, 0, image_.Width(), image_.Height()}, 255);
  SetInterval(kInterval);
}

TveMinTimer::~TveMinTimer() {
  if (window_) DestroyWindow(window_);
}

void TveMinTimer::ShowFrame(const TsFlightFrame& frame) {
  if (!window_ || image_.Empty()) return;
  const int x = int(std::lround(frame.Rect.Left)), y = int(std::lround(frame.Rect.Top));
  const int w = int(std::lround(frame.Rect.Right)) - x, h = int(std::lround(frame.Rect.Bottom)) - y;
  if (w <= 0 || h <= 0) {
    ShowWindow(window_, SW_HIDE);
    return;
  }
  img::Bitmap32 picture(w, h);
  StretchNearest(image_, picture, {0, 0, w, h});
  platform::LayeredWindows::Current().Update(window_, x, y, picture, frame.Alpha);
  SetWindowPos(window_, HWND_TOPMOST, x, y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TveMinTimer::Tick() {
  if (next_ < frames_.size()) ShowFrame(frames_[next_++]);
  if (next_ >= frames_.size()) SetEnabled(false);
}

void TveMinTimer::Run(const std::function<void()>& started) {
  if (frames_.empty()) return;
  ShowFrame(frames_[next_++]);
  if (started) started();
  if (next_ >= frames_.size()) return;
  SetEnabled(true);
  // The application's own pumping: a quit posted meanwhile stays for its message loop.
  while (Running() && !fw::Application.Terminated()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kInterval, QS_ALLINPUT);
    fw::Application.ProcessMessages();
  }
}

void TveMinTimer::Retarget(const TsRectF& to) {
  if (!minimizing_ || next_ == 0 || next_ >= frames_.size()) return;
  const TsFlightFrame& now = frames_[next_ - 1];
  std::vector<TsFlightFrame> rest =
      FlightFrames(now.Rect, to, now.Alpha, toAlpha_, int(frames_.size() - next_));
  frames_.resize(next_);
  frames_.insert(frames_.end(), rest.begin(), rest.end());
}

TsRectF MinimizeTarget(HWND form) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &info);
  RECT taskbar;
  if (HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
      tray && IsWindowVisible(tray) && GetWindowRect(tray, &taskbar))
    return TaskbarEdge(ToRectF(taskbar), ToRectF(info.rcMonitor));
  // No taskbar to fly to (a plain X server shows none): the bottom of the work area.
  return WorkAreaBottomEdge(ToRectF(info.rcWork));
}
