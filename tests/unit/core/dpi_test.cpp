#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/Dpi.h"

namespace {

struct ScaleRow {
  int length;
  int dpi;
  int expected;
};

TEST(Dpi, LengthsScaleAndRoundHalvesAwayFromZero) {
  const ScaleRow rows[] = {
      {11, 96, 11},    {11, 144, 17}, {-11, 144, -17}, {2, 120, 3},
      {-2, 120, -3},   {1, 120, 1},   {3, 120, 4},     {0, 192, 0},
      {100, 192, 200}, {11, 0, 11},   {11, -96, 11},   {INT_MAX / 2, 192, INT_MAX - 1},
  };
  for (const ScaleRow& row : rows) {
    EXPECT_EQ(platform::ScaleToDpi(row.length, row.dpi), row.expected)
        << row.length << " at " << row.dpi;
  }
}

struct RescaleRow {
  int length;
  int fromDpi;
  int toDpi;
  int expected;
};

// A window moved between monitors: back to where it came from it has its lengths again, and a
// scale the system could not tell leaves them as they are.
TEST(Dpi, LengthsFollowAWindowBetweenScales) {
  const RescaleRow rows[] = {
      {17, 144, 96, 11},
      {-17, 144, 96, -11},
      {11, 96, 144, 17},
      {17, 144, 144, 17},
      {25, 120, 144, 30},
      {30, 144, 120, 25},
      {3, 144, 192, 4},
      {-3, 144, 192, -4},
      {5, 192, 120, 3},
      {1, 192, 96, 1},
      {22, 192, 96, 11},
      {17, 0, 144, 17},
      {17, 144, 0, 17},
      {17, -144, 96, 17},
      {17, 144, -96, 17},
      {0, 120, 192, 0},
      {2, 1, 96, 192},
      {192, 96, 1, 2},
      {INT_MAX / 2, 96, 192, INT_MAX - 1},
  };
  for (const RescaleRow& row : rows) {
    EXPECT_EQ(platform::RescaleLength(row.length, row.fromDpi, row.toDpi), row.expected)
        << row.length << " from " << row.fromDpi << " to " << row.toDpi;
  }
}

// One length carried across monitors: every step's result, then what a length changed at a
// scale does to the steps after it.
TEST(Dpi, ALengthCarriedAcrossScalesComesBackAsDesigned) {
  struct Step {
    int current;  // what the length is before the step; -1: what the previous step gave
    int toDpi;
    int expected;
  };
  const struct {
    int fromDpi;
    std::vector<Step> steps;
  } walks[] = {
      // Ratios alone would give 14 at the end.
      {96, {{13, 144, 20}, {-1, 120, 16}, {-1, 192, 26}, {-1, 96, 13}}},
      {96, {{-11, 144, -17}, {-1, 120, -14}, {-1, 192, -22}, {-1, 96, -11}}},
      {96, {{25, 144, 38}, {-1, 120, 31}, {-1, 144, 38}, {-1, 96, 25}}},
      // Set to 16 at 144 DPI: its design becomes 11, which 144 DPI draws as 17.
      {96, {{10, 144, 15}, {16, 96, 11}, {-1, 144, 17}, {-1, 96, 11}}},
      {144, {{30, 96, 20}, {-1, 144, 30}, {-1, 192, 40}}},
      // Below 100 % a length loses pixels that its design keeps: 3 is 2 at 48 DPI, 6 at 192.
      {96, {{3, 48, 2}, {-1, 192, 6}, {-1, 96, 3}}},
      // Unchanged within a scale, or for a scale that is not known.
      {96, {{13, 96, 13}, {-1, 144, 20}, {-1, 144, 20}, {-1, 0, 20}, {-1, -96, 20}}},
      {0, {{13, 144, 13}}},
      {-120, {{13, 96, 13}}},
      {96, {{0, 192, 0}, {-1, 96, 0}}},
  };
  for (const auto& walk : walks) {
    platform::ScaledLength length;
    int from = walk.fromDpi, value = 0;
    for (const Step& step : walk.steps) {
      const int current = step.current == -1 ? value : step.current;
      value = length.Rescale(current, from, step.toDpi);
      EXPECT_EQ(value, step.expected) << current << " from " << from << " to " << step.toDpi;
      if (step.toDpi > 0) from = step.toDpi;
    }
  }
}

}  // namespace
