#include <gtest/gtest.h>

#include <climits>

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

}  // namespace
