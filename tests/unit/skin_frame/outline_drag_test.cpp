// Where an outline drag ends: the caption moves, each border moves its own edges, and the
// minimum size holds the opposite edges in place.
#include <gtest/gtest.h>

#include "skin/forms/sOutlineDrag.h"
#include "skin/forms/sTitleLayout.h"

TEST(OutlineDrag, EdgesFollowTheMouseDownToTheMinimumSize) {
  const TRect start{100, 100, 400, 300};
  const TPoint min{120, 80};
  struct Row {
    int code;
    TPoint delta;
    TRect expected;
  } rows[] = {
      {kHitCaption, {-30, 15}, {70, 115, 370, 315}},
      {kHitRight, {50, 50}, {100, 100, 450, 300}},
      {kHitLeft, {-20, 0}, {80, 100, 400, 300}},
      {kHitBottomRight, {-500, -500}, {100, 100, 220, 180}},  // held at the minimum
      {kHitTopLeft, {500, 500}, {280, 220, 400, 300}},
      {kHitTop, {0, -40}, {100, 60, 400, 300}},
      {kHitBottomLeft, {10, 10}, {110, 100, 400, 310}},
      {kHitClient, {10, 10}, start},
  };
  for (const Row& r : rows)
    EXPECT_EQ(DraggedRect(start, r.code, r.delta, min), r.expected) << r.code;
}
