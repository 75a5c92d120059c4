// Nine-slice layout: tiling and stretching, the paint flags, state frames, borders shrunk for small
// destinations, clipping at the target's edges and the inputs that paint nothing.
#include <gtest/gtest.h>

#include "Golden.h"
#include "SliceFixture.h"
#include "skin/render/sMaskSlices.h"

namespace slices_test {
namespace {

img::Bitmap32 PaintOn(int w, int h, TRect rect, const TsMaskData& entry, int state = 0) {
  img::Bitmap32 target = Paper(w, h);
  PaintMaskSlices(target, rect, entry, state, EmptyBgSource, false);
  return target;
}

TEST(SliceLayoutTest, TilesWholeTilesThenOneShorterTile) {
  TSliceSkin skin = MakeSkin(6, 6, 1, 0, 2, 4);  // 2 x 2 edges and centre, centre painted
  // The inner span 3 .. 12 takes tiles at 3, 5, 7 and 9 and then one pixel at 11.
  const img::Bitmap32 t = PaintOn(15, 12, {1, 1, 14, 11}, skin.Entry);
  EXPECT_EQ(t.Pixel(9, 1), skin.Image(2, 0));
  EXPECT_EQ(t.Pixel(10, 1), skin.Image(3, 0));
  EXPECT_EQ(t.Pixel(11, 1), skin.Image(2, 0));
  EXPECT_EQ(t.Pixel(12, 1), skin.Image(4, 0));  // top-right corner
  // Down the left edge 3 .. 9: tiles at 3 and 5, the last one at 7 fits whole.
  EXPECT_EQ(t.Pixel(1, 7), skin.Image(0, 2));
  EXPECT_EQ(t.Pixel(2, 8), skin.Image(1, 3));
  EXPECT_EQ(t.Pixel(11, 8), skin.Image(2, 3));  // centre, last column, last row
  EXPECT_EQ(t.Pixel(0, 0), kPaper);
  EXPECT_EQ(t.Pixel(14, 11), kPaper);
  ExpectGolden(t, "slices_tiled");
}

TEST(SliceLayoutTest, StretchesEdgesAndCentreOnce) {
  TSliceSkin skin = MakeSkin(6, 6, 1, 0, 2, 5);
  const img::Bitmap32 t = PaintOn(15, 12, {1, 1, 14, 11}, skin.Entry);
  // Nine columns from two: the first four from the first source column.
  EXPECT_EQ(t.Pixel(6, 1), skin.Image(2, 0));
  EXPECT_EQ(t.Pixel(7, 1), skin.Image(3, 0));
  EXPECT_EQ(t.Pixel(11, 5), skin.Image(3, 2));
  ExpectGolden(t, "slices_stretched");
}

TEST(SliceLayoutTest, PaintFlagsDecideCentreAndStateZero) {
  TSliceSkin skin = MakeSkin(6, 6, 2, 0, 2, 0);
  EXPECT_EQ(PaintOn(10, 10, {0, 0, 10, 10}, skin.Entry).Pixel(5, 5), kPaper);  // no centre
  EXPECT_EQ(PaintOn(10, 10, {0, 0, 10, 10}, skin.Entry).Pixel(0, 0), skin.Image(0, 0));

  skin.Entry.PaintFlags = 2 | 4;
  EXPECT_TRUE(AllPixels(PaintOn(10, 10, {0, 0, 10, 10}, skin.Entry, 0), kPaper));
  const img::Bitmap32 hot = PaintOn(10, 10, {0, 0, 10, 10}, skin.Entry, 1);
  EXPECT_EQ(hot.Pixel(0, 0), skin.Image(0, 0, 1));
  EXPECT_EQ(hot.Pixel(5, 5), skin.Image(3, 3, 1));
}

TEST(SliceLayoutTest, StatesPickFramesAndStopAtTheLast) {
  TSliceSkin skin = MakeSkin(4, 4, 3, 0, 1, 4);
  EXPECT_EQ(PaintOn(6, 6, {0, 0, 6, 6}, skin.Entry, 1).Pixel(0, 0), skin.Image(0, 0, 1));
  EXPECT_EQ(PaintOn(6, 6, {0, 0, 6, 6}, skin.Entry, 3).Pixel(0, 0), skin.Image(0, 0, 2));
  EXPECT_EQ(PaintOn(6, 6, {0, 0, 6, 6}, skin.Entry, -1).Pixel(0, 0), skin.Image(0, 0, 0));
}

TEST(SliceLayoutTest, SmallDestinationsShrinkTheBorders) {
  // Margins 6 on 2 x 2: half the excess of 10 off each side, one pixel of each corner is left.
  TSliceSkin big = MakeSkin(14, 14, 1, 0, 6, 4);
  const img::Bitmap32 t = PaintOn(2, 2, {0, 0, 2, 2}, big.Entry);
  EXPECT_EQ(t.Pixel(0, 0), big.Image(0, 0));
  EXPECT_EQ(t.Pixel(1, 0), big.Image(13, 0));
  EXPECT_EQ(t.Pixel(0, 1), big.Image(0, 13));
  EXPECT_EQ(t.Pixel(1, 1), big.Image(13, 13));

  // Margins 4 on 3 x 3: an excess of 5 leaves 2 on the left and top, 1 on the right and bottom.
  TSliceSkin skin = MakeSkin(8, 8, 1, 0, 4, 4);
  const img::Bitmap32 s = PaintOn(3, 3, {0, 0, 3, 3}, skin.Entry);
  EXPECT_EQ(s.Pixel(1, 1), skin.Image(1, 1));
  EXPECT_EQ(s.Pixel(2, 1), skin.Image(7, 1));
  EXPECT_EQ(s.Pixel(1, 2), skin.Image(1, 7));
  EXPECT_EQ(s.Pixel(2, 2), skin.Image(7, 7));
}

// Painting a rectangle that hangs over the target's edges gives the same pixels as painting it
// wholly inside a larger target.
void ExpectSameAsCropped(const TsMaskData& entry, TRect rect) {
  constexpr int kShift = 6;
  img::Bitmap32 small = Paper(9, 7);
  PaintMaskSlices(small, rect, entry, 0, EmptyBgSource, false);
  const TRect moved{rect.Left + kShift, rect.Top + kShift, rect.Right + kShift,
                    rect.Bottom + kShift};
  img::Bitmap32 large = Paper(30, 30);
  PaintMaskSlices(large, moved, entry, 0, EmptyBgSource, false);
  for (int y = 0; y < small.Height(); ++y)
    for (int x = 0; x < small.Width(); ++x)
      ASSERT_EQ(small.Pixel(x, y), large.Pixel(x + kShift, y + kShift)) << x << ", " << y;
}

TEST(SliceLayoutTest, ClipsAtTheTargetEdges) {
  for (int16_t flags : {4, 5}) {
    SCOPED_TRACE(flags);
    TSliceSkin skin = MakeSkin(7, 6, 1, 0, 2, flags);
    ExpectSameAsCropped(skin.Entry, {-3, -2, 12, 10});
    ExpectSameAsCropped(skin.Entry, {4, 3, 17, 15});
  }
  TSliceSkin masked = MakeSkin(7, 6, 1, 1, 2, 4);
  masked.Mask(3, 3) = {100, 100, 100, 0};
  ExpectSameAsCropped(masked.Entry, {-3, -5, 12, 10});
}

TEST(SliceLayoutTest, HugeRectanglesPaintOnlyWhatShows) {
  TSliceSkin skin = MakeSkin(3, 3, 1, 0, 1, 4);  // 1 x 1 tiles everywhere
  const img::Bitmap32 t =
      PaintOn(4, 3, {-1000000000, -1000000000, 1000000000, 1000000000}, skin.Entry);
  EXPECT_TRUE(AllPixels(t, skin.Image(1, 1)));
}

TEST(SliceLayoutTest, UnusableInputPaintsNothing) {
  TSliceSkin skin = MakeSkin(6, 6, 1, 0, 2, 4);
  EXPECT_TRUE(AllPixels(PaintOn(8, 8, {0, 0, 1, 8}, skin.Entry), kPaper));
  EXPECT_TRUE(AllPixels(PaintOn(8, 8, {0, 0, 8, 1}, skin.Entry), kPaper));
  EXPECT_TRUE(AllPixels(PaintOn(8, 8, {5, 5, 2, 2}, skin.Entry), kPaper));
  EXPECT_TRUE(AllPixels(PaintOn(8, 8, {INT32_MIN, 0, INT32_MAX, 8}, skin.Entry), kPaper));

  TsMaskData orphan = skin.Entry;
  orphan.Owner = nullptr;
  EXPECT_TRUE(AllPixels(PaintOn(8, 8, {0, 0, 8, 8}, orphan), kPaper));
  img::Bitmap32 alpha = Paper(8, 8);
  PaintMaskSlicesAlpha(alpha, {0, 0, 8, 8}, orphan, 0, EmptyBgSource);
  EXPECT_TRUE(AllPixels(alpha, kPaper));

  TsMaskData negative = skin.Entry;
  negative.MarginLeft = -1;
  EXPECT_TRUE(AllPixels(PaintOn(8, 8, {0, 0, 8, 8}, negative), kPaper));

  TsMaskData tooWide = skin.Entry;  // margins wider than the frame leave no centre
  tooWide.MarginLeft = tooWide.MarginRight = 4;
  EXPECT_TRUE(AllPixels(PaintOn(8, 8, {0, 0, 8, 8}, tooWide), kPaper));

  skin.Model->MasterImage = img::Bitmap32();
  EXPECT_TRUE(AllPixels(PaintOn(8, 8, {0, 0, 8, 8}, skin.Entry), kPaper));
}

TEST(SliceLayoutTest, SlicesOutsideTheSourceAreCutToIt) {
  for (int16_t flags : {4, 5}) {
    TSliceSkin skin = MakeSkin(6, 6, 1, 0, 2, flags);
    skin.Entry.SrcRect.Right += 20;  // frames reach past the master image
    skin.Entry.SrcRect.Bottom += 20;
    img::Bitmap32 t = PaintOn(30, 30, {0, 0, 30, 30}, skin.Entry);
    EXPECT_EQ(t.Pixel(0, 0), skin.Image(0, 0));
    // Tiled, the part of the centre slice inside the master image repeats; stretched, a slice
    // not wholly inside it paints nothing.
    EXPECT_EQ(t.Pixel(2, 2), flags == 4 ? skin.Image(2, 2) : kPaper);
    EXPECT_EQ(t.Pixel(10, 10), kPaper);
  }
}

}  // namespace
}  // namespace slices_test
