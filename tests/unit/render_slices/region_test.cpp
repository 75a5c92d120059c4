// Shaped elements: the rectangle-set region, and nine slices over a whole target that cut the key
// runs of their corners out of it.
#include <gtest/gtest.h>

#include <memory>

#include "Golden.h"
#include "SliceFixture.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sRegion.h"

namespace slices_test {
namespace {

TEST(RegionTest, SubtractLeavesDisjointRectangles) {
  TsRegion region({0, 0, 5, 4});
  region.Subtract({1, 1, 3, 2});
  region.Subtract({4, -5, 9, 1});
  region.Subtract({2, 2, 2, 9});  // empty
  EXPECT_EQ(region.Area(), 20 - 2 - 1);
  EXPECT_FALSE(region.Contains(1, 1));
  EXPECT_FALSE(region.Contains(4, 0));
  EXPECT_TRUE(region.Contains(3, 1));
  EXPECT_TRUE(region.Contains(4, 1));
  long long sum = 0;
  for (const TRect& r : region.Rects()) sum += (long long)r.Width() * r.Height();
  EXPECT_EQ(sum, region.Area());

  region.Subtract({-1, -1, 6, 5});
  EXPECT_TRUE(region.Empty());
  EXPECT_TRUE(TsRegion({3, 3, 3, 5}).Empty());
}

TEST(SlicesRegionTest, CornerKeyRunsLeaveTheRegionUnpainted) {
  TSliceSkin skin = MakeSkin(6, 6, 1, 0, 2, 4);
  skin.Image(0, 0) = skin.Image(1, 0) = kKey;  // one run of two
  skin.Image(0, 1) = kKey;
  skin.Image(5, 0) = kKey;
  skin.Image(0, 5) = kKey;
  skin.Image(2, 2) = kKey;  // centre: copied like any pixel, the region keeps it
  img::Bitmap32 target = Paper(9, 8);
  TsRegion region({0, 0, 9, 8});
  PaintMaskSlicesRegion(target, &region, 0, skin.Entry);
  EXPECT_EQ(region.Area(), 72 - 5);
  for (TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{0, 1}, TPoint{8, 0}, TPoint{0, 7}}) {
    EXPECT_FALSE(region.Contains(p.X, p.Y)) << p.X << ", " << p.Y;
    EXPECT_EQ(target.Pixel(p.X, p.Y), kPaper);
  }
  EXPECT_EQ(target.Pixel(2, 2), kKey);
  EXPECT_EQ(target.Pixel(7, 0), skin.Image(4, 0));
  ExpectGolden(target, "slices_region");

  // Without a region the painting is the same.
  img::Bitmap32 again = Paper(9, 8);
  PaintMaskSlicesRegion(again, nullptr, 0, skin.Entry);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(again.Pixel(x, y), target.Pixel(x, y));
}

TEST(SlicesRegionTest, MaskedCornersCutTheirKeyPixels) {
  TSliceSkin skin = MakeSkin(4, 4, 1, 1, 1, 0);
  skin.Image(3, 3) = kKey;
  skin.Mask(0, 0) = {128, 128, 128, 0};
  img::Bitmap32 target = Paper(4, 4, {90, 90, 90, 7});
  TsRegion region({0, 0, 4, 4});
  PaintMaskSlicesRegion(target, &region, 0, skin.Entry);
  EXPECT_FALSE(region.Contains(3, 3));
  EXPECT_EQ(region.Area(), 15);
  EXPECT_EQ(target.Pixel(3, 3), (TRGBAPixel{90, 90, 90, 7}));
  // (90 * 128 + S * 128) >> 8 with the first frame's S = 20, 20, 60; alpha kept.
  EXPECT_EQ(target.Pixel(0, 0), (TRGBAPixel{55, 55, 75, 7}));
}

TEST(SlicesRegionTest, TheOddPixelFollowsTheTargetWidth) {
  // Margins 4 and 3 on a target 4 wide: the excess 3 is odd but the width is even, so both
  // borders lose one pixel and the right corner overlaps the left one.
  TSliceSkin skin = MakeSkin(10, 4, 1, 0, 1, 0);
  skin.Entry.MarginLeft = 4;
  skin.Entry.MarginRight = 3;
  img::Bitmap32 target = Paper(4, 4);
  PaintMaskSlicesRegion(target, nullptr, 0, skin.Entry);
  EXPECT_EQ(target.Pixel(1, 0), skin.Image(1, 0));
  EXPECT_EQ(target.Pixel(2, 0), skin.Image(8, 0));
  // The element painter takes the odd pixel from the excess: the right border keeps only one.
  img::Bitmap32 element = Paper(4, 4);
  PaintMaskSlices(element, {0, 0, 4, 4}, skin.Entry, 0, EmptyBgSource, false);
  EXPECT_EQ(element.Pixel(2, 0), skin.Image(2, 0));
  EXPECT_EQ(element.Pixel(3, 0), skin.Image(9, 0));

  // An excess of 5 from margins 4 and 4 on a width of 3: 2 and 1 are left.
  TSliceSkin even = MakeSkin(8, 4, 1, 0, 1, 0);
  even.Entry.MarginLeft = even.Entry.MarginRight = 4;
  img::Bitmap32 narrow = Paper(3, 4);
  PaintMaskSlicesRegion(narrow, nullptr, 0, even.Entry);
  EXPECT_EQ(narrow.Pixel(1, 0), even.Image(1, 0));
  EXPECT_EQ(narrow.Pixel(2, 0), even.Image(7, 0));
}

TEST(SlicesRegionTest, OwnPictureWithoutFramesIsOneFrame) {
  TSliceSkin skin = MakeSkin(6, 6, 1, 0, 2, 4);
  auto own = std::make_shared<img::Bitmap32>(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) own->Pixel(x, y) = FramePixel(x, y, 2);
  skin.Entry.Image = own;
  skin.Entry.StateCount = 0;
  skin.Entry.SrcRect = {50, 50, 60, 60};
  img::Bitmap32 target = Paper(7, 7);
  PaintMaskSlicesRegion(target, nullptr, 0, skin.Entry);
  EXPECT_EQ(target.Pixel(0, 0), own->Pixel(0, 0));
  EXPECT_EQ(target.Pixel(6, 6), own->Pixel(5, 5));
  EXPECT_EQ(target.Pixel(3, 3), own->Pixel(3, 3));

  // Not in state 0: nothing painted and nothing cut.
  skin.Entry.PaintFlags |= 2;
  own->Pixel(0, 0) = kKey;
  img::Bitmap32 idle = Paper(7, 7);
  TsRegion region({0, 0, 7, 7});
  PaintMaskSlicesRegion(idle, &region, 0, skin.Entry);
  EXPECT_TRUE(AllPixels(idle, kPaper));
  EXPECT_EQ(region.Area(), 49);
}

}  // namespace
}  // namespace slices_test
