// The layered windows that show the frames of a form's animations in the form's place, while the
// form itself is invisible or held still underneath.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/render/sAnimFrames.h"

// SetWindowPos flags of an animation window's placing: no activation, no redraw, no copied
// bits, no owner order, no changing message.
inline constexpr UINT kAnimPlaceFlags =
    SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

// A borderless, never activated, layered tool window at bounds (screen coordinates), not shown
// yet; stay-on-top when topmost. It belongs to the engine: nothing skins or adopts it.
HWND CreateAnimWindow(const RECT& bounds, bool topmost);
// Where in the z-order a window goes to stand exactly where form is: the window directly above
// the form, or the top of the stay-on-top band for a stay-on-top form.
HWND PlaceAbove(HWND form);
bool IsTopmost(HWND wnd);
// Shows picture on the layered window at its own place with one alpha for the whole of it.
void ShowPicture(HWND anim, const img::Bitmap32& picture, uint8_t alpha);
// Frees the window and sets the handle to null.
void FreeAnimWindow(HWND& anim);
// A new animation window at bounds, directly in front of form, showing picture at alpha; null
// when none could be made.
HWND ShowAnimWindowAt(HWND form, const RECT& bounds, const img::Bitmap32& picture, uint8_t alpha);
// The ticks of an animation: frame N is due N x kFrameInterval ms after the clock was made, so
// the time spent making frames does not stretch the whole; a late frame is followed at once.
class TsFrameClock {
 public:
  TsFrameClock();
  void WaitForNextFrame();
  // Milliseconds since the clock was made, and the tick the coming frame is due at.
  double ElapsedMs() const;
  int DueMs() const { return int(due_); }
  // The clock's start as QueryPerformanceCounter counts it.
  LONGLONG Start() const { return start_; }

 private:
  LONGLONG frequency_, start_, due_ = 0;
};

// A frame of an animation as it reached the screen: its number, its tick and when it was shown
// (milliseconds since the animation's clock started), and that start in QueryPerformanceCounter
// counts, so that a caller can tell the work before an animation from the animation.
struct TsFrameTiming {
  int Index;
  int DueMs;
  double ShownMs;
  LONGLONG ClockStart;
};
// Receives every frame of the form animations once it is shown; empty (the default) to stop.
// For benches that measure how late frames come; nothing in the program sets it.
void SetFrameObserver(std::function<void(const TsFrameTiming&)> observer);
// Tells the observer, if any, that frame index of the clock's animation was just shown.
void ReportFrameShown(const TsFrameClock& clock, int index);

// Frames of picture shown one after another on anim, which shows picture already (at any alpha).
// Handing the system a picture is the costliest part of a frame, so a frame that keeps what the
// window shows only changes its alpha, or changes nothing when the alpha stays too. The frame
// buffer holds the picture or a zoomed part of it and may be on the window already; a fade never
// needs it, so it is made on first need. Holds picture by reference.
class TsFrameShow {
 public:
  TsFrameShow(HWND anim, const img::Bitmap32& picture) : anim_(anim), picture_(picture) {}
  void Show(const TsAnimFrame& frame);
  // The window shows the picture itself, not a zoomed part.
  bool ShowsPicture() const { return showsPicture_; }

 private:
  void MakeBuffer();

  HWND anim_;
  const img::Bitmap32& picture_;
  img::Bitmap32 buffer_;
  bool showsPicture_ = true, bufferIsPicture_ = false, bufferShown_ = false;
  int shownAlpha_ = -1;
};

// Shows the frames of picture one by one on a TsFrameClock on anim through a TsFrameShow;
// afterFrame (may be empty) follows each. The last frame stays a tick on the screen unless
// holdLast is false: a caller whose next step shows that same last look need not wait for it.
// True when the window ends showing the picture itself (not a zoomed part) at the last frame's
// alpha.
bool RunFrames(HWND anim, const img::Bitmap32& picture, const std::vector<TsAnimFrame>& frames,
               const std::function<void(const TsAnimFrame&)>& afterFrame, bool holdLast = true);
