#include "skin/render/sAnimSteps.h"

#include <algorithm>
#include <cmath>

uint8_t TitleButtonAlpha(int steps, int step) {
  if (steps < 1) return 255;
  return uint8_t(std::clamp(255 / steps * step, 0, 255));
}

int FadeIterations(int sectionIterations, bool fast) {
  return std::max(1, fast ? sectionIterations / 2 : sectionIterations);
}

int FadeWeight(int level, int iterations) {
  iterations = std::max(1, iterations);
  return std::clamp(255 - level * 255 / iterations, 0, 255);
}

TsMoveBlend MoveBlend(uint8_t formAlpha, uint8_t blendValue, bool allowed, int time) {
  TsMoveBlend blend;
  blend.Start = formAlpha;
  blend.Target = allowed ? blendValue : 255;
  const int span = 255 - blend.Target;
  if (time < 13) {
    blend.Step = span;
  } else {
    blend.Step = int(std::lround(span / (time / 12.0)));
    // A long time would round the step to nothing and the form would never turn translucent.
    if (span > 0) blend.Step = std::max(1, blend.Step);
  }
  return blend;
}

uint8_t NextMoveAlpha(uint8_t current, const TsMoveBlend& blend) {
  if (current <= blend.Target) return current;
  return uint8_t(std::max(int(blend.Target), current - blend.Step));
}

int FlightSteps(int time) {
  return std::max(1, time / 15);
}

std::vector<TsFlightFrame> FlightFrames(const TsRectF& from, const TsRectF& to, int fromAlpha,
                                        int toAlpha, int steps) {
  steps = std::max(1, steps);
  const double moveX = ((to.Left + to.Right) - (from.Left + from.Right)) / 2 / steps;
  const double moveY = ((to.Top + to.Bottom) - (from.Top + from.Bottom)) / 2 / steps;
  const double shrinkX = (from.Width() - to.Width()) / (2.0 * steps);
  const double shrinkY = (from.Height() - to.Height()) / (2.0 * steps);
  const double alphaStep = double(fromAlpha - toAlpha) / std::max(1, steps - 1);
  std::vector<TsFlightFrame> frames;
  frames.reserve(size_t(steps));
  for (int k = 1; k <= steps; ++k) {
    const double cx = (from.Left + from.Right) / 2 + moveX * k;
    const double cy = (from.Top + from.Bottom) / 2 + moveY * k;
    const double halfW = from.Width() / 2 - shrinkX * k;
    const double halfH = from.Height() / 2 - shrinkY * k;
    const double alpha = steps == 1 ? fromAlpha : fromAlpha - alphaStep * (k - 1);
    frames.push_back({{cx - halfW, cy - halfH, cx + halfW, cy + halfH},
                      uint8_t(std::clamp(int(std::lround(alpha)), 0, 255))});
  }
  return frames;
}

TsRectF TaskbarEdge(const TsRectF& taskbar, const TsRectF& monitor) {
  if (taskbar.Width() >= taskbar.Height()) {
    const bool atTop = taskbar.Top <= monitor.Top;
    const double y = atTop ? taskbar.Bottom : taskbar.Top;
    return {taskbar.Left, y, taskbar.Right, y};
  }
  const bool atLeft = taskbar.Left <= monitor.Left;
  const double x = atLeft ? taskbar.Right : taskbar.Left;
  return {x, taskbar.Top, x, taskbar.Bottom};
}

TsRectF WorkAreaBottomEdge(const TsRectF& workArea) {
  return {workArea.Left, workArea.Bottom, workArea.Right, workArea.Bottom};
}
