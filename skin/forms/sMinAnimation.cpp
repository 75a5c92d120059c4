#include "skin/forms/sMinAnimation.h"

#include <algorithm>
#include <cmath>

#include "platform/LayeredWindows.h"
#include "skin/render/sLayeredPopup.h"

namespace {

constexpr unsigned kInterval = 15;

// The picture stretched to width x height by the nearest pixel, opaque.
img::Bitmap32 Stretched(const img::Bitmap32& image, int width, int height) {
  img::Bitmap32 out(width, height);
  for (int y = 0; y < height; ++y) {
    const img::TRGBAPixel* row = image.Row(int(int64_t(y) * image.Height() / height));
    img::TRGBAPixel* to = out.Row(y);
    for (int x = 0; x < width; ++x) {
      to[x] = row[int64_t(x) * image.Width() / width];
      to[x].A = 255;
    }
  }
  return out;
}

}  // namespace

TveMinTimer::TveMinTimer(const img::Bitmap32& image, const TsRectF& from, const TsRectF& to,
                         int fromAlpha, int toAlpha, int steps, bool minimizing)
    : TveThreadedTimer(nullptr, true),
      image_(image),
      frames_(FlightFrames(from, to, fromAlpha, toAlpha, steps)),
      toAlpha_(toAlpha),
      minimizing_(minimizing),
      window_(CreateLayeredPopup(true)) {
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
  platform::LayeredWindows::Current().Update(window_, x, y, Stretched(image_, w, h), frame.Alpha);
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
  while (Running()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kInterval, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
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
