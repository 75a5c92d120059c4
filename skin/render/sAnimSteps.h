// The arithmetic of the state animations: title-button fades, control fades, translucent moving
// and the minimise and restore flight. Kept apart from the timers that drive them so that every
// step can be checked without a window.
#pragma once

#include <cstdint>
#include <vector>

// Constant alpha of a title button's popup at step (1-based) of steps: the share of 255 that the
// step has reached, limited to 0..255.
uint8_t TitleButtonAlpha(int steps, int step);

// How many steps a control fade takes: the section's count, halved for fast fades, never below
// one (a fade of no step would divide by zero and never finish).
int FadeIterations(int sectionIterations, bool fast);
// The weight of the start image in the blend shown at level (1-based) of iterations: 255 at the
// start, 0 once the new image is reached.
int FadeWeight(int level, int iterations);

// Translucent moving: the alpha the form starts with, the alpha it goes down to and by how much
// each tick lowers it.
struct TsMoveBlend {
  uint8_t Start = 255;
  uint8_t Target = 255;
  int Step = 0;
};
// formAlpha is the form's own blend value (255 when it does not blend); blendValue and time come
// from the manager's effect, allowed from the form.
TsMoveBlend MoveBlend(uint8_t formAlpha, uint8_t blendValue, bool allowed, int time);
// The alpha after one tick: lowered by the step while above the target, never below it.
uint8_t NextMoveAlpha(uint8_t current, const TsMoveBlend& blend);

// A rectangle in real numbers (screen coordinates).
struct TsRectF {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  double Width() const { return Right - Left; }
  double Height() const { return Bottom - Top; }
  bool operator==(const TsRectF&) const = default;
};

// One picture of the minimise or restore flight: where the form's image is stretched to and its
// constant alpha.
struct TsFlightFrame {
  TsRectF Rect;
  uint8_t Alpha = 255;
};

// The number of frames of a flight lasting time milliseconds: one every 15 ms, at least one.
int FlightSteps(int time);
// The frames from one rectangle and alpha to another in steps frames: each frame moves the
// centre and the sides by an equal share; the alpha goes from fromAlpha (first frame) to
// toAlpha (last frame). The last frame is the target rectangle.
std::vector<TsFlightFrame> FlightFrames(const TsRectF& from, const TsRectF& to, int fromAlpha,
                                        int toAlpha, int steps);

// Where a minimised form flies to when its taskbar button cannot be found: the edge of the
// taskbar that faces the screen (a taskbar along the bottom gives its top edge), the taskbar's
// side told by where it lies on the monitor.
TsRectF TaskbarEdge(const TsRectF& taskbar, const TsRectF& monitor);
// Without any taskbar: the bottom edge of the work area.
TsRectF WorkAreaBottomEdge(const TsRectF& workArea);
