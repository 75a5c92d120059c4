// The state animations' arithmetic: what each step of a title-button fade, a control fade,
// translucent moving and the minimise flight shows.
#include <gtest/gtest.h>

#include "skin/render/sAnimSteps.h"

namespace {

TEST(AnimStepsTest, TitleButtonAndControlFadeSteps) {
  struct Case {
    int steps, step, alpha;
  } titles[] = {{10, 1, 25}, {10, 9, 225}, {10, 10, 250}, {10, 12, 255}, {10, 0, 0},
                {10, -1, 0}, {1, 1, 255},  {3, 2, 170},   {0, 5, 255}};
  for (const Case& c : titles)
    EXPECT_EQ(TitleButtonAlpha(c.steps, c.step), c.alpha) << c.steps << " " << c.step;

  // Fast fades halve the count; a count of 1 (or less) still fades in one step.
  struct Iter {
    int section;
    bool fast;
    int iterations;
  } counts[] = {{5, false, 5}, {5, true, 2}, {1, true, 1}, {0, false, 1}, {-3, true, 1}};
  for (const Iter& c : counts)
    EXPECT_EQ(FadeIterations(c.section, c.fast), c.iterations) << c.section << " " << c.fast;

  // Counts that do not divide 255 (4, 7): the product is divided, not the level's share.
  struct Weight {
    int level, iterations, weight;
  } weights[] = {{1, 5, 204}, {4, 5, 51}, {5, 5, 0},   {6, 5, 0},   {1, 1, 0}, {0, 5, 255},
                 {1, 0, 0},   {3, 4, 64}, {1, 4, 192}, {2, 7, 183}, {6, 7, 37}};
  for (const Weight& c : weights)
    EXPECT_EQ(FadeWeight(c.level, c.iterations), c.weight) << c.level << "/" << c.iterations;
}

TEST(AnimStepsTest, TranslucentMovingReachesItsTargetAndStops) {
  struct Case {
    uint8_t formAlpha, blendValue;
    bool allowed;
    int time, target, step;
    std::vector<int> ticks;  // the alpha after each tick
  } cases[] = {
      {255, 150, true, 10, 150, 105, {150, 150}},  // below 13 ms: the target in one step
      {255, 170, true, 1000, 170, 1, {254, 253}},
      {255, 170, true, 240, 170, 4, {251, 247}},
      {255, 100, true, 60, 100, 31, {224, 193, 162, 131, 100, 100}},  // lands on the target
      {200, 150, true, 65535, 150, 1, {199}},  // a step that would round to 0
      {255, 150, false, 10, 255, 0, {255}},    // not allowed: stays opaque
      {120, 150, true, 10, 150, 105, {120}},   // already below: left alone
  };
  for (const Case& c : cases) {
    TsMoveBlend blend = MoveBlend(c.formAlpha, c.blendValue, c.allowed, c.time);
    EXPECT_EQ(blend.Start, c.formAlpha);
    EXPECT_EQ(blend.Target, c.target) << c.time;
    EXPECT_EQ(blend.Step, c.step) << c.time;
    uint8_t alpha = blend.Start;
    for (int expected : c.ticks) {
      alpha = NextMoveAlpha(alpha, blend);
      EXPECT_EQ(alpha, expected) << c.time << " " << int(c.blendValue);
    }
  }
}

TEST(AnimStepsTest, MinimiseFlight) {
  EXPECT_EQ(FlightSteps(0), 1);
  EXPECT_EQ(FlightSteps(14), 1);
  EXPECT_EQ(FlightSteps(200), 13);

  // Time 0: one frame, already at the target, with the start alpha.
  const TsRectF form{100, 100, 500, 400}, edge{0, 700, 1000, 700};
  std::vector<TsFlightFrame> one = FlightFrames(form, edge, 255, 0, FlightSteps(0));
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].Rect, edge);
  EXPECT_EQ(one[0].Alpha, 255);

  // Four steps: the centre (300, 250) -> (500, 700) and the size 400 x 300 -> 1000 x 0 move by
  // equal shares; the alpha 255 -> 0 over the four frames.
  std::vector<TsFlightFrame> four = FlightFrames(form, edge, 255, 0, 4);
  ASSERT_EQ(four.size(), 4u);
  const TsRectF rects[] = {
      {75, 250, 625, 475}, {50, 400, 750, 550}, {25, 550, 875, 625}, {0, 700, 1000, 700}};
  const int alphas[] = {255, 170, 85, 0};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_NEAR(four[k].Rect.Left, rects[k].Left, 1e-9) << k;
    EXPECT_NEAR(four[k].Rect.Top, rects[k].Top, 1e-9) << k;
    EXPECT_NEAR(four[k].Rect.Right, rects[k].Right, 1e-9) << k;
    EXPECT_NEAR(four[k].Rect.Bottom, rects[k].Bottom, 1e-9) << k;
    EXPECT_EQ(four[k].Alpha, alphas[k]) << k;
  }
  // Restoring flies back and ends on the form with its alpha.
  std::vector<TsFlightFrame> back = FlightFrames(edge, form, 0, 200, 3);
  EXPECT_EQ(back.front().Alpha, 0);
  EXPECT_EQ(back.back().Alpha, 200);
  EXPECT_EQ(back.back().Rect, form);

  // The taskbar's inner edge on each side of a 1000 x 800 monitor; none: the work area's bottom.
  const TsRectF monitor{0, 0, 1000, 800};
  EXPECT_EQ(TaskbarEdge({0, 760, 1000, 800}, monitor), (TsRectF{0, 760, 1000, 760}));
  EXPECT_EQ(TaskbarEdge({0, 0, 1000, 40}, monitor), (TsRectF{0, 40, 1000, 40}));
  EXPECT_EQ(TaskbarEdge({0, 0, 60, 800}, monitor), (TsRectF{60, 0, 60, 800}));
  EXPECT_EQ(TaskbarEdge({940, 0, 1000, 800}, monitor), (TsRectF{940, 0, 940, 800}));
  EXPECT_EQ(WorkAreaBottomEdge({0, 0, 1000, 770}), (TsRectF{0, 770, 1000, 770}));
}

}  // namespace
