// Plain nine-slice copies of frame pictures: L-shaped corners, tiled and stretched edges and
// centres, and the modes that draw nothing.
#include <gtest/gtest.h>

#include "Pictures.h"
#include "skin/render/sFrameSlices.h"

namespace {

using namespace parentbg_test;

constexpr TRect kMargins{2, 2, 2, 2};
constexpr TRect kNoLimits{99, 99, 99, 99};
constexpr TRect kTiled{0, 0, 0, 0};

// A 7 x 7 source (centre slice 3 x 3) laid around a 12 x 10 target.
img::Bitmap32 Paint(TRect edgeModes, bool centre = false, int centreMode = 0,
                    TRect limits = kNoLimits) {
  const img::Bitmap32 source = Numbered(7, 7);
  img::Bitmap32 target = Filled(12, 10, kBlank);
  PaintFrameSlices(target, source, {0, 0, 12, 10}, centre, centreMode, edgeModes, limits, kMargins,
                   {0, 0, 7, 7});
  return target;
}

TEST(PaintFrameSlicesTest, TilesEdgesWithAShorterLastTile) {
  const img::Bitmap32 t = Paint(kTiled);
  EXPECT_EQ(SourceColumns(t, 0), "012342342356");
  EXPECT_EQ(SourceColumns(t, 9), "012342342356");
  EXPECT_EQ(SourceRows(t, 0), "0123423456");
  EXPECT_EQ(SourceRows(t, 11), "0123423456");
  EXPECT_EQ(SourceColumns(t, 4), "01........56");  // no centre
}

TEST(PaintFrameSlicesTest, StretchesEdgesAndCentre) {
  const img::Bitmap32 t = Paint({1, 1, 1, 1}, true, 1);
  EXPECT_EQ(SourceColumns(t, 0), "012223344456");
  EXPECT_EQ(SourceRows(t, 11), "0122334456");
  EXPECT_EQ(SourceColumns(t, 5), "012223344456");
}

TEST(PaintFrameSlicesTest, TiledCentreIsCutAtTheRightAndBottom) {
  const img::Bitmap32 t = Paint(kTiled, true, 0);
  EXPECT_EQ(SourceColumns(t, 4), "012342342356");
  EXPECT_EQ(SourceRows(t, 9), "0123423456");
}

TEST(PaintFrameSlicesTest, OtherModesDrawNothing) {
  const img::Bitmap32 t = Paint({2, 3, -1, 7}, true, 2);
  EXPECT_EQ(SourceColumns(t, 0), "01........56");
  EXPECT_EQ(SourceColumns(t, 4), "............");
  EXPECT_EQ(SourceRows(t, 0), "01......56");
}

TEST(PaintFrameSlicesTest, LimitsCutTheCornersToAnLShape) {
  // Depth 1 on the left and top: the corners keep their outer row and column only.
  const img::Bitmap32 t = Paint(kTiled, false, 0, {1, 1, 2, 2});
  EXPECT_EQ(SourceColumns(t, 0), "012342342356");  // the top row is whole
  EXPECT_EQ(SourceColumns(t, 1), "0.........56");  // top edge one row deep, left corner an L
  EXPECT_EQ(SourceRows(t, 1), "0.......56");       // left edge one column wide; bottom not limited
  EXPECT_EQ(SourceRows(t, 10), "0123423456");      // the right side is not limited
  EXPECT_EQ(t.Pixel(0, 1), (img::TRGBAPixel{0, 1, 7, 9}));
  EXPECT_EQ(t.Pixel(10, 1), (img::TRGBAPixel{5, 1, 7, 9}));
}

}  // namespace
