// The frames of the window animations: forms and dialogs fading (and zooming) in when shown,
// out when hidden, and the new look of a skin change fading in over the old one. A frame is one
// constant alpha for the layered animation window and how the frame buffer is made from the
// window's final picture; frames come every 12 ms, so the time given decides their number.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"

// How the frame buffer is made for a frame.
enum class TsFrameFill : uint8_t {
  Keep,             // the buffer stays as the frame before left it
  Copy,             // the whole picture
  Stretch,          // the picture shrunk into Rect (nearest neighbour) over what the buffer holds
  ClearAndStretch,  // the buffer cleared to 0 first, then Stretch
};

struct TsAnimFrame {
  uint8_t Alpha = 0;
  TsFrameFill Fill = TsFrameFill::Keep;
  TRect Rect;
  bool operator==(const TsAnimFrame&) const = default;
};

enum class TsAnimKind : uint8_t {
  Form,    // shows of forms and skin changes
  Dialog,  // dialogs take one step more to reach their alpha
};

// Frames come every kFrameInterval milliseconds; time div kFrameInterval frames are planned.
inline constexpr int kFrameInterval = 12;
inline int FrameSteps(int timeMs) {
  return timeMs < 0 ? 0 : timeMs / kFrameInterval;
}

// The frames of a show or skin change of a width x height picture reaching alpha target in
// time ms: N = time div 12 steps give N + 1 frames; none for N = 0 (the caller shows the final
// picture at once). zoom grows the picture from three quarters of its size about its centre.
std::vector<TsAnimFrame> ShowFrames(int timeMs, uint8_t target, bool zoom, TsAnimKind kind,
                                    int width, int height);

// The frames of a hide from alpha start: the mirror image, down to 0 and (zoom) shrinking to
// three quarters. Empty for N = 0.
std::vector<TsAnimFrame> HideFrames(int timeMs, uint8_t start, bool zoom, int width, int height);

// During a skin change with a border window the old look fades out over the last third of the
// new look's fade-in: its alpha for a frame whose new look shows at frameAlpha.
uint8_t OldLookAlpha(uint8_t target, uint8_t frameAlpha);

// Weight of the old look in frame k of the cross-fade of a skin change without layered windows;
// n = 0 (no time for a fade) gives 0: the new look at once.
int CrossFadeWeight(int k, int n);

// Makes the frame buffer (of the picture's size) for frame.
void PrepareFrame(const img::Bitmap32& picture, img::Bitmap32& buffer, const TsAnimFrame& frame);

// Nearest-neighbour stretch of the whole source into rect of target (clipped to it).
void StretchNearest(const img::Bitmap32& source, img::Bitmap32& target, const TRect& rect);
