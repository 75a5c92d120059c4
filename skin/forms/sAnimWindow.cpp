#include "skin/forms/sAnimWindow.h"

#include <utility>

#include "platform/LayeredWindows.h"

namespace {

constexpr char kAnimClass[] = "veAnimWindow";

LRESULT CALLBACK AnimProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

HWND CreateAnimWindow(const RECT& bounds, bool topmost) {
  static const ATOM registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = AnimProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.lpszClassName = kAnimClass;
    return RegisterClassA(&cls);
  }();
  if (!registered) return nullptr;
  DWORD exStyle = WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
  if (topmost) exStyle |= WS_EX_TOPMOST;
  return CreateWindowExA(exStyle, kAnimClass, "", WS_POPUP, bounds.left, bounds.top,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

bool IsTopmost(HWND wnd) {
  return (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

HWND PlaceAbove(HWND form) {
  if (IsTopmost(form)) return HWND_TOPMOST;
  HWND above = GetWindow(form, GW_HWNDPREV);
  return above ? above : HWND_TOP;
}

void ShowPicture(HWND anim, const img::Bitmap32& picture, uint8_t alpha) {
  RECT r;
  GetWindowRect(anim, &r);
  platform::LayeredWindows::Current().Update(anim, r.left, r.top, picture, alpha);
}

void FreeAnimWindow(HWND& anim) {
  if (anim) DestroyWindow(anim);
  anim = nullptr;
}

HWND ShowAnimWindowAt(HWND form, const RECT& r, const img::Bitmap32& picture, uint8_t alpha) {
  HWND place = PlaceAbove(form);
  HWND anim = CreateAnimWindow(r, IsTopmost(form));
  if (!anim) return nullptr;
  platform::LayeredWindows::Current().Update(anim, r.left, r.top, picture, alpha);
  ShowWindow(anim, SW_SHOWNOACTIVATE);
  SetWindowPos(anim, place, r.left, r.top, picture.Width(), picture.Height(), kAnimPlaceFlags);
  return anim;
}

TsFrameClock::TsFrameClock() {
  LARGE_INTEGER value;
  QueryPerformanceFrequency(&value);
  frequency_ = value.QuadPart;
  QueryPerformanceCounter(&value);
  start_ = value.QuadPart;
}

void TsFrameClock::WaitForNextFrame() {
  due_ += kFrameInterval;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  LONGLONG elapsed = (now.QuadPart - start_) * 1000 / frequency_;
  if (elapsed < due_) Sleep(DWORD(due_ - elapsed));
}

double TsFrameClock::ElapsedMs() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart - start_) * 1000.0 / double(frequency_);
}

namespace {

std::function<void(const TsFrameTiming&)>& FrameObserver() {
  static std::function<void(const TsFrameTiming&)> observer;
  return observer;
}

}  // namespace

void SetFrameObserver(std::function<void(const TsFrameTiming&)> observer) {
  FrameObserver() = std::move(observer);
}

void ReportFrameShown(const TsFrameClock& clock, int index) {
  if (const auto& observer = FrameObserver())
    observer({index, clock.DueMs(), clock.ElapsedMs(), clock.Start()});
}

void TsFrameShow::MakeBuffer() {
  if (!buffer_.Empty()) return;
  buffer_.Resize(picture_.Width(), picture_.Height());
  if (bufferIsPicture_) PrepareFrame(picture_, buffer_, {0, TsFrameFill::Copy, {}});
}

void TsFrameShow::Show(const TsAnimFrame& frame) {
  if (frame.Fill == TsFrameFill::Copy) {
    if (!buffer_.Empty()) PrepareFrame(picture_, buffer_, frame);
    bufferIsPicture_ = true;
    bufferShown_ = showsPicture_;
  } else if (frame.Fill != TsFrameFill::Keep) {
    MakeBuffer();
    PrepareFrame(picture_, buffer_, frame);
    bufferIsPicture_ = bufferShown_ = false;
  }
  if (!bufferShown_) {
    if (!bufferIsPicture_) MakeBuffer();
    ShowPicture(anim_, bufferIsPicture_ ? picture_ : buffer_, frame.Alpha);
    showsPicture_ = bufferIsPicture_;
    bufferShown_ = true;
  } else if (frame.Alpha != shownAlpha_) {
    platform::LayeredWindows::Current().UpdateAlpha(anim_, frame.Alpha);
  }
  shownAlpha_ = frame.Alpha;
}

bool RunFrames(HWND anim, const img::Bitmap32& picture, const std::vector<TsAnimFrame>& frames,
               const std::function<void(const TsAnimFrame&)>& afterFrame, bool holdLast) {
  TsFrameShow show(anim, picture);
  TsFrameClock clock;
  int index = 0;
  for (const TsAnimFrame& frame : frames) {
    show.Show(frame);
    if (afterFrame) afterFrame(frame);
    ReportFrameShown(clock, index++);
    if (holdLast || index < int(frames.size())) clock.WaitForNextFrame();
  }
  return show.ShowsPicture();
}
