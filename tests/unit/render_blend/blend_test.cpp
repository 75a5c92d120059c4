// Pixel primitives: weighted blends at their edge weights, the vectorised rows against a plain
// version on random data, and the clipping and rounding of the rectangle operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "BitmapCheck.h"
#include "skin/render/sBlend.h"
#include "skin/render/sBlendRows.h"

namespace {

using render_test::Filled;
using render_test::SameBitmap;

img::Bitmap32 Random(int width, int height, std::mt19937& rng) {
  img::Bitmap32 b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Pixel(x, y) = ValuePixel(uint32_t(rng()));
  return b;
}

// The blend written out plainly, one byte at a time.
void ReferenceBlend(img::Bitmap32& out, const img::Bitmap32& a, const img::Bitmap32& b, int w) {
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      const img::TRGBAPixel pa = a.Pixel(x, y), pb = b.Pixel(x, y);
      img::TRGBAPixel& o = out.Pixel(x, y);
      o.B = uint8_t((w * (pa.B - pb.B) + pb.B * 256) >> 8);
      o.G = uint8_t((w * (pa.G - pb.G) + pb.G * 256) >> 8);
      o.R = uint8_t((w * (pa.R - pb.R) + pb.R * 256) >> 8);
    }
}

TEST(BlendTest, VectorisedBlendsMatchThePlainFormulaBitForBit) {
  std::mt19937 rng(20261209);
  for (int width : {1, 3, 4, 5, 17, 64, 67})
    for (int w : {0, 1, 102, 128, 255, 256, -7, 300}) {
      const img::Bitmap32 target = Random(width, 3, rng), source = Random(width, 3, rng);
      img::Bitmap32 expected = target;
      ReferenceBlend(expected, target, source, w);

      img::Bitmap32 blended = target;
      BlendBitmaps(blended, source, w, 0, 0, {0, 0, width, 3});
      ASSERT_TRUE(SameBitmap(blended, expected, "blend_bitmaps")) << width << " w=" << w;

      img::Bitmap32 uniform = target;
      BlendUniform(uniform, source, w);
      ASSERT_TRUE(SameBitmap(uniform, expected, "blend_uniform")) << width << " w=" << w;

      img::Bitmap32 faded = Random(width, 3, rng), fadedExpected = faded;
      ReferenceBlend(fadedExpected, target, source, w);
      CrossFade(faded, target, source, w);
      ASSERT_TRUE(SameBitmap(faded, fadedExpected, "cross_fade")) << width << " w=" << w;
    }
}

// Every path, not only the widest this processor has: row lengths that leave each possible tail
// after eight and four pixels, in place (out is a) and into a third row whose alpha stays.
TEST(BlendTest, EachInstructionSetPathMatchesThePlainFormula) {
  std::mt19937 rng(7);
  for (BlendPath path : {BlendPath::Plain, BlendPath::Sse2, BlendPath::Avx2})
    for (int width : {1, 4, 7, 8, 11, 12, 13, 16, 31, 40})
      for (int w : {0, 102, 256, -300, 70000}) {
        const img::Bitmap32 a = Random(width, 1, rng), b = Random(width, 1, rng);
        img::Bitmap32 expected = a;
        ReferenceBlend(expected, a, b, w);
        img::Bitmap32 inPlace = a;
        BlendRowsUpTo(path, inPlace.Row(0), inPlace.Row(0), b.Row(0), size_t(width), w);
        ASSERT_TRUE(SameBitmap(inPlace, expected, "path_in_place"))
            << int(path) << " width " << width << " w=" << w;

        img::Bitmap32 apart = Random(width, 1, rng), apartExpected = apart;
        ReferenceBlend(apartExpected, a, b, w);
        BlendRowsUpTo(path, apart.Row(0), a.Row(0), b.Row(0), size_t(width), w);
        ASSERT_TRUE(SameBitmap(apart, apartExpected, "path_apart"))
            << int(path) << " width " << width << " w=" << w;
      }
}

TEST(BlendTest, EdgeWeightsAndAlpha) {
  img::Bitmap32 target = Filled(2, 1, {255, 0, 10, 77});
  const img::Bitmap32 source = Filled(2, 1, {0, 255, 20, 200});
  img::Bitmap32 zero = target;
  BlendBitmaps(zero, source, 0, 0, 0, {0, 0, 2, 1});
  EXPECT_EQ(zero.Pixel(0, 0), (img::TRGBAPixel{0, 255, 20, 77}));  // the source, target's alpha
  BlendBitmaps(target, source, 255, 0, 0, {0, 0, 2, 1});
  // 255 keeps 255/256 of the target: 255 over 0 gives 254, 0 over 255 gives 0.
  EXPECT_EQ(target.Pixel(0, 0), (img::TRGBAPixel{254, 0, 10, 77}));
}

TEST(BlendTest, BlendBitmapsPlacesAndClipsTheSourceRectangle) {
  img::Bitmap32 target = Filled(4, 4, {10, 10, 10, 9});
  const img::Bitmap32 source = Filled(3, 3, {30, 30, 30, 0});
  BlendBitmaps(target, source, 0, -1, 2, {0, 0, 3, 3});  // two columns and two rows land
  img::Bitmap32 expected = Filled(4, 4, {10, 10, 10, 9});
  for (int y = 2; y < 4; ++y)
    for (int x = 0; x < 2; ++x) expected.Pixel(x, y) = {30, 30, 30, 9};
  EXPECT_TRUE(SameBitmap(target, expected, "blend_clipped"));

  // A part of the source: its top-left pixel lands on the given point.
  img::Bitmap32 marked = Filled(3, 3, {30, 30, 30, 0});
  marked.Pixel(1, 1) = {50, 50, 50, 0};
  img::Bitmap32 part = Filled(4, 4, {10, 10, 10, 9});
  BlendBitmaps(part, marked, 0, 2, 2, {1, 1, 5, 5});
  EXPECT_EQ(part.Pixel(2, 2), (img::TRGBAPixel{50, 50, 50, 9}));
  EXPECT_EQ(part.Pixel(3, 3), (img::TRGBAPixel{30, 30, 30, 9}));
  EXPECT_EQ(part.Pixel(1, 1), (img::TRGBAPixel{10, 10, 10, 9}));
}

TEST(BlendTest, PremultiplyRectClearsOnlyTransparentWhiteInsideTheRectangle) {
  img::Bitmap32 b(3, 1);
  b.Pixel(0, 0) = {0xFF, 0xFF, 0xFF, 0};
  b.Pixel(1, 0) = {200, 100, 50, 128};
  b.Pixel(2, 0) = {0xFF, 0xFF, 0xFF, 0};
  PremultiplyRect(b, {0, 0, 2, 1});
  EXPECT_EQ(b.Pixel(0, 0), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(b.Pixel(1, 0), (img::TRGBAPixel{100, 50, 25, 128}));
  EXPECT_EQ(b.Pixel(2, 0), (img::TRGBAPixel{0xFF, 0xFF, 0xFF, 0}));
  // White that is barely there is premultiplied like any colour: it keeps its alpha.
  b.Pixel(2, 0) = {0xFF, 0xFF, 0xFF, 1};
  PremultiplyRect(b, {2, 0, 3, 1});
  EXPECT_EQ(b.Pixel(2, 0), (img::TRGBAPixel{0, 0, 0, 1}));
}

TEST(BlendTest, ARectangleClippedToNothingIsEmpty) {
  const img::Bitmap32 b(4, 4);
  EXPECT_EQ(ClipToBitmap({-2, 1, 9, 3}, b), (TRect{0, 1, 4, 3}));
  EXPECT_EQ(ClipToBitmap({4, 0, 9, 2}, b), TRect{});   // right of the bitmap, touching its edge
  EXPECT_EQ(ClipToBitmap({0, -5, 2, 0}, b), TRect{});  // above it, touching its edge
}

TEST(BlendTest, RectangleOperationsStayInsideTheirRectangle) {
  img::Bitmap32 b = Filled(4, 4, {0, 0, 0, 0});
  FillRectAlpha(b, {-2, -2, 2, 2}, 0x0000FF, 128);
  EXPECT_EQ(b.Pixel(1, 1), (img::TRGBAPixel{0, 0, 255, 128}));
  EXPECT_EQ(b.Pixel(2, 2), (img::TRGBAPixel{0, 0, 0, 0}));

  // Half of each pixel from the colour; the column and row right of and below the rectangle stay.
  BlendRectWithColor(b, {0, 0, 2, 2}, 50, 0x64C800);
  EXPECT_EQ(b.Pixel(0, 0), (img::TRGBAPixel{50, 100, 128, 128}));  // 127.5 rounds to even
  EXPECT_EQ(b.Pixel(2, 0), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(b.Pixel(0, 2), (img::TRGBAPixel{0, 0, 0, 0}));

  img::Bitmap32 frame = Filled(5, 5, {0, 0, 0, 0});
  FillFrameAlpha(frame, {0, 0, 5, 5}, 1, 1, 1, 1, 0xFFFFFF);
  EXPECT_EQ(frame.Pixel(0, 2), (img::TRGBAPixel{255, 255, 255, 255}));
  EXPECT_EQ(frame.Pixel(4, 4), (img::TRGBAPixel{255, 255, 255, 255}));
  EXPECT_EQ(frame.Pixel(2, 2), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(frame.Pixel(3, 1), (img::TRGBAPixel{0, 0, 0, 0}));
}

TEST(BlendTest, BlendRectWithColorRoundsEveryByteLikeThePlainFormula) {
  // Every byte value in each channel, percents with and without ties (and outside 0..100, which
  // clamp), rows that repeat one another and runs of equal pixels (the first of them all zero).
  img::Bitmap32 source(256, 5);
  for (int x = 0; x < 256; ++x) {
    source.Pixel(x, 0) = {uint8_t(x), uint8_t(255 - x), uint8_t(x * 37), uint8_t(x)};
    source.Pixel(x, 1) = source.Pixel(x, 2) = {uint8_t(x * 101), uint8_t(x), uint8_t(~x), 7};
    source.Pixel(x, 3) = source.Pixel(x, 0);
    source.Pixel(x, 4) = ValuePixel(uint32_t(x / 16) * 0x11030507u);
  }
  auto expected = [](int d, int q, int percent) {
    const double f = percent / 100.0;
    return uint8_t(std::nearbyint(std::clamp(f * d + (1 - f) * q, 0.0, 255.0)));
  };
  for (int percent : {0, 1, 13, 50, 67, 90, 99, 100, -20, 120})
    for (int32_t color : {0x64C800, 0x01FF7F}) {
      img::Bitmap32 b = source;
      BlendRectWithColor(b, {0, 0, 256, 5}, percent, color);
      const img::TRGBAPixel q = ColorPixel(color, 0);
      img::Bitmap32 want = source;
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 256; ++x) {
          img::TRGBAPixel& p = want.Pixel(x, y);
          p = {expected(p.B, q.B, percent), expected(p.G, q.G, percent),
               expected(p.R, q.R, percent), p.A};
        }
      ASSERT_TRUE(SameBitmap(b, want, "blend_color_" + std::to_string(percent)));
    }
  // A row that looks like the row above as blended is blended itself.
  img::Bitmap32 once = source, twice = source;
  BlendRectWithColor(once, {0, 0, 256, 1}, 90, 0x64C800);
  for (int x = 0; x < 256; ++x) twice.Pixel(x, 1) = once.Pixel(x, 0);
  BlendRectWithColor(twice, {0, 0, 256, 2}, 90, 0x64C800);
  BlendRectWithColor(once, {0, 0, 256, 1}, 90, 0x64C800);
  for (int x = 0; x < 256; ++x) ASSERT_EQ(twice.Pixel(x, 1), once.Pixel(x, 0));
  // A rectangle reaching outside the bitmap changes its clipped part only.
  img::Bitmap32 b = source;
  BlendRectWithColor(b, {-5, 1, 300, 2}, 90, 0x64C800);
  for (int x = 0; x < 256; ++x) {
    ASSERT_EQ(b.Pixel(x, 0), source.Pixel(x, 0));
    ASSERT_EQ(b.Pixel(x, 1).R, expected(source.Pixel(x, 1).R, 0x00, 90));
    ASSERT_EQ(b.Pixel(x, 2), source.Pixel(x, 2));
  }
}

TEST(BlendTest, TintAndAlphaSettings) {
  img::Bitmap32 b = Filled(2, 1, {100, 100, 100, 7});
  TintRect(b, {0, 0, 1, 1}, 0x000000, 200, 25);  // 100 - 25 = 75
  EXPECT_EQ(b.Pixel(0, 0), (img::TRGBAPixel{75, 75, 75, 200}));
  SetRectAlpha(b, {0, 0, 2, 1}, 9, PixelValue(b.Pixel(1, 0)));  // the key pixel keeps its alpha
  EXPECT_EQ(b.Pixel(0, 0).A, 9);
  EXPECT_EQ(b.Pixel(1, 0).A, 7);
  SetRectAlpha(b, {0, 0, 2, 1}, 1);
  EXPECT_EQ(b.Pixel(1, 0).A, 1);
}

TEST(BlendTest, KeyedBlendsLeaveKeyPixels) {
  const img::TRGBAPixel key{0xFF, 0x00, 0xFF, 0};
  img::Bitmap32 b(2, 1);
  b.Pixel(0, 0) = key;
  b.Pixel(1, 0) = {100, 100, 100, 255};
  BlendKeyedToColor(b, 0x000000, 0.25);
  EXPECT_EQ(b.Pixel(0, 0), key);
  EXPECT_EQ(b.Pixel(1, 0), (img::TRGBAPixel{25, 25, 25, 255}));

  // 40 % of the target stays: R(100 - (100 - 200) * 0.4) = 140.
  img::Bitmap32 target = Filled(3, 1, {200, 200, 200, 255});
  img::Bitmap32 source(2, 1);
  source.Pixel(0, 0) = key;
  source.Pixel(1, 0) = {100, 100, 100, 255};
  BlendBitmapKeyed(target, 1, 0, 0xFF00FF, 0.4, {0, 0, 1, 0}, source);
  EXPECT_EQ(target.Pixel(1, 0), (img::TRGBAPixel{200, 200, 200, 255}));
  EXPECT_EQ(target.Pixel(2, 0), (img::TRGBAPixel{140, 140, 140, 255}));

  img::Bitmap32 copy = Filled(2, 1, {1, 1, 1, 1});
  CopyNonKey(copy, source, 0, 0, 0xFF00FF);
  EXPECT_EQ(copy.Pixel(0, 0), (img::TRGBAPixel{1, 1, 1, 1}));
  EXPECT_EQ(copy.Pixel(1, 0), (img::TRGBAPixel{100, 100, 100, 255}));
}

TEST(BlendTest, TintByMaskRunsFromTheColourToThePixel) {
  img::Bitmap32 b = Filled(2, 1, {200, 200, 200, 5});
  img::Bitmap32 mask(2, 1);
  mask.Pixel(0, 0) = {0, 0, 0, 0};
  mask.Pixel(1, 0) = {255, 255, 255, 0};
  TintByMask(b, mask, 0x000000);
  EXPECT_EQ(b.Pixel(0, 0), (img::TRGBAPixel{0, 0, 0, 5}));
  EXPECT_EQ(b.Pixel(1, 0), (img::TRGBAPixel{199, 199, 199, 5}));
}

TEST(BlendTest, CopyChannelOutAndBack) {
  img::Bitmap32 b(2, 1);
  b.Pixel(0, 0) = {1, 2, 3, 4};
  b.Pixel(1, 0) = {5, 6, 7, 8};
  img::IndexedBitmap alpha(2, 1, 8);
  CopyChannel(b, alpha, 3, true);
  EXPECT_EQ(alpha.Row(0)[0], 4);
  EXPECT_EQ(alpha.Row(0)[1], 8);
  CopyChannel(b, alpha, 0, false);  // the alphas into blue
  EXPECT_EQ(b.Pixel(1, 0), (img::TRGBAPixel{8, 6, 7, 8}));
  img::IndexedBitmap other(3, 1, 8);
  CopyChannel(b, other, 1, false);  // sizes differ: nothing
  CopyChannel(b, alpha, 4, false);  // no such channel: nothing
  EXPECT_EQ(b.Pixel(0, 0), (img::TRGBAPixel{4, 2, 3, 4}));
}

TEST(BlendTest, PixelAccessOutsideTheBitmapIsHarmless) {
  img::Bitmap32 b(1, 1);
  SetPixel32(b, 0, 0, 0x80112233);
  SetPixel32(b, 1, 0, 0xFFFFFFFF);
  EXPECT_EQ(GetPixel32(b, 0, 0), 0x80112233u);
  EXPECT_EQ(GetPixel32(b, -1, 0), 0u);
}

}  // namespace
