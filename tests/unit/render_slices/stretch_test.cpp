// Masked stretching: the 1 x 1 centre, nearest-neighbour and filtered scaling, and the inputs
// that paint nothing.
#include <gtest/gtest.h>

#include "SliceFixture.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSliceStretch.h"

namespace slices_test {
namespace {

constexpr TRGBAPixel kGrey200{200, 200, 200, 0};

// The centre of an 8 x 8 element whose 1 x 1 centre slice is grey 200 with mask red r.
TRGBAPixel OnePixelCentre(uint8_t r, bool alpha, TRGBAPixel paper) {
  TSliceSkin skin = MakeSkin(3, 3, 1, 1, 1, 1 | 4);
  skin.Image(1, 1) = kGrey200;
  skin.Mask(1, 1) = {r, r, r, 0};
  img::Bitmap32 target = Paper(8, 8, paper);
  if (alpha)
    PaintMaskSlicesAlpha(target, {0, 0, 8, 8}, skin.Entry, 0, EmptyBgSource);
  else
    PaintMaskSlices(target, {0, 0, 8, 8}, skin.Entry, 0, EmptyBgSource, false);
  EXPECT_EQ(target.Pixel(1, 1), target.Pixel(6, 6));
  return target.Pixel(4, 4);
}

TEST(MaskedStretchTest, OnePixelCentreFillsBlendsOrLeaves) {
  const TRGBAPixel paper{90, 90, 90, 7};
  EXPECT_EQ(OnePixelCentre(0, false, paper), (TRGBAPixel{200, 200, 200, 255}));
  // (128 * (90 - 200) + 200 * 256) >> 8, alpha kept.
  EXPECT_EQ(OnePixelCentre(128, false, paper), (TRGBAPixel{145, 145, 145, 7}));
  EXPECT_EQ(OnePixelCentre(255, false, paper), paper);

  const TRGBAPixel faint{90, 90, 90, 50};
  EXPECT_EQ(OnePixelCentre(0, true, faint), (TRGBAPixel{200, 200, 200, 255}));
  // g = min(128, 50): (90 * 50 + 200 * 205) >> 8, alpha max(50, 255 - 128).
  EXPECT_EQ(OnePixelCentre(128, true, faint), (TRGBAPixel{177, 177, 177, 127}));
  EXPECT_EQ(OnePixelCentre(255, true, faint), faint);
}

// A source of w x h picture pixels over as many mask pixels.
img::Bitmap32 Source(int w, int h, TRGBAPixel image, TRGBAPixel mask) {
  img::Bitmap32 b(w, 2 * h);
  for (int y = 0; y < 2 * h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = y < h ? image : mask;
  return b;
}

TEST(MaskedStretchTest, GrowingBothWaysTakesTheNearestPixels) {
  img::Bitmap32 source = Source(2, 1, kGrey200, {0, 0, 0, 0});
  source.Pixel(1, 0) = {10, 20, 30, 0};
  source.Pixel(1, 1) = {64, 64, 64, 0};
  img::Bitmap32 target = Paper(6, 4);
  StretchMaskedOpaque(target, {1, 1, 5, 3}, source, {0, 0, 2, 1}, 1, false);
  EXPECT_EQ(target.Pixel(2, 2), (TRGBAPixel{200, 200, 200, 255}));
  // ((90 - 10) * 64 + 10 * 256) >> 8 and so on.
  EXPECT_EQ(target.Pixel(3, 1), (TRGBAPixel{30, 37, 45, 255}));
  EXPECT_EQ(target.Pixel(4, 2), target.Pixel(3, 1));
  EXPECT_EQ(target.Pixel(5, 1), kPaper);
}

TEST(MaskedStretchTest, AlphaTargetsFollowTheMaskRed) {
  img::Bitmap32 source = Source(3, 1, kGrey200, {0, 0, 0, 0});
  source.Pixel(1, 1) = {0, 0, 255, 0};
  source.Pixel(2, 1) = {0, 0, 100, 0};
  img::Bitmap32 target = Paper(3, 2, {90, 90, 90, 50});
  StretchMaskedAlpha(target, {0, 0, 3, 2}, source, {0, 0, 3, 1}, 1, false);
  EXPECT_EQ(target.Pixel(0, 1), (TRGBAPixel{200, 200, 200, 255}));
  EXPECT_EQ(target.Pixel(1, 1), (TRGBAPixel{90, 90, 90, 50}));
  // h = min(100, 50): (50 * 90 + 205 * 200) >> 8, alpha max(50, 155).
  EXPECT_EQ(target.Pixel(2, 1), (TRGBAPixel{177, 177, 177, 155}));
}

TEST(MaskedStretchTest, ShrinkingAndCentresAreFiltered) {
  // Shrinking one way only mixes neighbouring columns, where the nearest pixel would pick one.
  img::Bitmap32 stripes = Source(4, 3, {0, 0, 0, 0}, {0, 0, 0, 0});
  for (int y = 0; y < 3; ++y) stripes.Pixel(1, y) = stripes.Pixel(3, y) = kGrey200;
  img::Bitmap32 target = Paper(5, 5);
  StretchMaskedOpaque(target, {0, 0, 2, 3}, stripes, {0, 0, 4, 3}, 3, false);
  EXPECT_GT(target.Pixel(0, 1).B, 0);
  EXPECT_LT(target.Pixel(0, 1).B, 200);
  EXPECT_EQ(target.Pixel(0, 1).A, 255);
  EXPECT_EQ(target.Pixel(2, 2), kPaper);

  // A one-pixel-wide centre is widened before filtering; a plain colour stays about that colour.
  img::Bitmap32 thin = Source(1, 2, {40, 80, 120, 0}, {0, 0, 0, 0});
  target.Fill(kPaper);
  StretchMaskedAlpha(target, {1, 1, 5, 5}, thin, {0, 0, 1, 2}, 2, true);
  for (const TRGBAPixel p : {target.Pixel(1, 1), target.Pixel(4, 4)}) {
    EXPECT_NEAR(p.B, 40, 1);
    EXPECT_NEAR(p.R, 120, 1);
    EXPECT_EQ(p.A, 255);
  }
  EXPECT_EQ(target.Pixel(0, 0), kPaper);
}

TEST(MaskedStretchTest, UnusableInputPaintsNothing) {
  img::Bitmap32 source = Source(2, 2, kGrey200, {0, 0, 0, 0});
  auto untouched = [&](img::Bitmap32 target, TRect dest, TRect src, int maskOffset) {
    StretchMaskedOpaque(target, dest, source, src, maskOffset, true);
    StretchMaskedAlpha(target, dest, source, src, maskOffset, true);
    return AllPixels(target, kPaper);
  };
  EXPECT_TRUE(untouched(Paper(4, 4), {-1, 0, 3, 3}, {0, 0, 2, 2}, 2));  // starts left of it
  EXPECT_TRUE(untouched(Paper(4, 4), {0, 0, 0, 3}, {0, 0, 2, 2}, 2));
  EXPECT_TRUE(untouched(Paper(1, 4), {0, 0, 1, 3}, {0, 0, 2, 2}, 2));
  EXPECT_TRUE(untouched(Paper(4, 4), {0, 0, 3, 3}, {0, 0, 2, 2}, 3));  // mask past the bottom
  EXPECT_TRUE(untouched(Paper(4, 4), {0, 0, 3, 3}, {1, 0, 3, 2}, 2));
  EXPECT_TRUE(untouched(Paper(4, 4), {0, 0, 3, 3}, {0, 0, 2, 2}, -1));
  // Larger than any picture can be: nothing, and no exception.
  EXPECT_TRUE(untouched(Paper(4, 4), {0, 0, INT32_MAX, INT32_MAX}, {0, 0, 2, 2}, 2));
}

TEST(PlainStretchTest, NearestNeighbourCopiesWholePixelsClipped) {
  img::Bitmap32 source(2, 1);
  source.Pixel(0, 0) = {1, 1, 1, 1};
  source.Pixel(1, 0) = {2, 2, 2, 2};
  img::Bitmap32 target = Paper(3, 2);
  StretchBlock(target, {-2, 0, 4, 1}, source, {0, 0, 2, 1});  // six columns, the first two cut
  EXPECT_EQ(target.Pixel(0, 0), (TRGBAPixel{1, 1, 1, 1}));
  EXPECT_EQ(target.Pixel(1, 0), (TRGBAPixel{2, 2, 2, 2}));
  EXPECT_EQ(target.Pixel(2, 0), (TRGBAPixel{2, 2, 2, 2}));
  EXPECT_EQ(target.Pixel(0, 1), kPaper);
}

}  // namespace
}  // namespace slices_test
