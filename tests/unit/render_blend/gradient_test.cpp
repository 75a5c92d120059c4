// Gradient painting: band extents and rounding of each mode, and the textured single pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "BitmapCheck.h"
#include "platform/GradientFill.h"
#include "skin/render/sBlend.h"
#include "skin/render/sGradientPaint.h"

namespace {

using render_test::Filled;
using render_test::SameBitmap;

constexpr img::TRGBAPixel kBlank{1, 2, 3, 4};

img::TRGBAPixel Rgb(int r, int g, int b) {
  return {uint8_t(b), uint8_t(g), uint8_t(r), 255};
}

TEST(GradientPaintTest, VerticalBandsShareTheirEndRowsAndTheLastReachesTheBottom) {
  // Red climbs 0..62 over the first band; the second band is pure red, the third pure green.
  TsGradArray g{
      {0x000000, 0x00003E, 62, 0}, {0x0000FF, 0x0000FF, 35, 0}, {0x00FF00, 0x00FF00, 0, 0}};
  img::Bitmap32 b = Filled(3, 100, kBlank);
  PaintGradient(b, {0, 0, 3, 100}, g);
  img::Bitmap32 expected(3, 100);
  for (int y = 0; y < 100; ++y) {
    img::TRGBAPixel p = y < 62 ? Rgb(y, 0, 0) : y < 97 ? Rgb(255, 0, 0) : Rgb(0, 255, 0);
    for (int x = 0; x < 3; ++x) expected.Pixel(x, y) = p;
  }
  EXPECT_TRUE(SameBitmap(b, expected, "vertical_three_bands"));
}

TEST(GradientPaintTest, VerticalStepsRoundTiesToEven) {
  // Blue 0 -> 5 over rows 0..2: 0, 2.5, 5; the middle row rounds to 2.
  TsGradArray g{{0x000000, 0x050000, 100, 0}};
  img::Bitmap32 b = Filled(1, 3, kBlank);
  PaintGradient(b, {0, 0, 1, 3}, g);
  EXPECT_EQ(b.Pixel(0, 0), Rgb(0, 0, 0));
  EXPECT_EQ(b.Pixel(0, 1), Rgb(0, 0, 2));
  EXPECT_EQ(b.Pixel(0, 2), Rgb(0, 0, 5));
}

TEST(GradientPaintTest, HorizontalBandEndsAreRoundedShares) {
  // 50 % of 3 columns ends at R(1.5) = 2: the first band covers every column.
  TsGradArray g{{0x000000, 0x0000C8, 50, 1}, {0x00FF00, 0x00FF00, 50, 1}};
  img::Bitmap32 b = Filled(3, 2, kBlank);
  PaintGradient(b, {0, 0, 3, 2}, g);
  img::Bitmap32 expected(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) expected.Pixel(x, y) = Rgb(100 * x, 0, 0);
  EXPECT_TRUE(SameBitmap(b, expected, "horizontal_three_columns"));

  // Of 5 columns, R(2.5) = 2: the second band starts at column 2.
  img::Bitmap32 five = Filled(5, 1, kBlank);
  PaintGradient(five, {0, 0, 5, 1}, g);
  EXPECT_EQ(five.Pixel(1, 0), Rgb(100, 0, 0));
  EXPECT_EQ(five.Pixel(2, 0), Rgb(0, 255, 0));
  EXPECT_EQ(five.Pixel(4, 0), Rgb(0, 255, 0));
}

TEST(GradientPaintTest, RectangleIsClippedAndUnusableInputPaintsNothing) {
  TsGradArray g{{0x112233, 0x112233, 100, 0}};
  img::Bitmap32 b = Filled(4, 4, kBlank);
  PaintGradient(b, {2, 2, 10, 10}, g);
  EXPECT_EQ(b.Pixel(1, 1), kBlank);
  EXPECT_EQ(b.Pixel(3, 3), Rgb(0x33, 0x22, 0x11));

  img::Bitmap32 untouched = Filled(4, 4, kBlank);
  PaintGradient(untouched, {0, 0, 4, 4}, {});
  PaintGradient(untouched, {3, 0, 3, 4}, g);
  PaintGradient(untouched, {0, 0, 4, 4}, {{0x112233, 0x112233, 100, 7}});
  // A texture without pixels has no tile to repeat.
  PaintGradientTextured(untouched, {0, 0, 4, 4}, g, 255, 76, {}, img::Bitmap32());
  PaintGradientTextured(untouched, {0, 0, 4, 4}, g, 255, 76, {5, 5, 9, 9}, Filled(2, 2, kBlank));
  EXPECT_TRUE(SameBitmap(untouched, Filled(4, 4, kBlank), "gradient_nothing"));
}

TEST(GradientPaintTest, FourCornersShadeBetweenCornerAndCentreColours) {
  // One band: every vertex takes its colour, so the rectangle is plain.
  img::Bitmap32 b = Filled(6, 4, kBlank);
  PaintGradient(b, {0, 0, 6, 4}, {{0x112233, 0, 100, 2}});
  EXPECT_TRUE(SameBitmap(b, Filled(6, 4, Rgb(0x33, 0x22, 0x11)), "four_corners_plain"));

  // Black at the top-left corner, white elsewhere: dark near that corner, light at the centre.
  img::Bitmap32 shaded = Filled(20, 20, kBlank);
  PaintGradient(shaded, {0, 0, 20, 20}, {{0, 0, 0, 2}, {0xFFFFFF, 0, 0, 2}});
  EXPECT_LT(shaded.Pixel(0, 0).R, 40);
  EXPECT_GT(shaded.Pixel(10, 10).R, 240);
  EXPECT_EQ(shaded.Pixel(19, 19), Rgb(255, 255, 255));
}

class NoGradientFill final : public platform::GradientFill {
 public:
  bool Triangles(img::Bitmap32&, std::span<const platform::TGradientVertex>,
                 std::span<const platform::TGradientTriangle>) override {
    return false;
  }
};

TEST(GradientPaintTest, FourCornersWithoutThePlatformFillPaintNothing) {
  NoGradientFill none;
  platform::ScopedInstall<platform::GradientFill> install(none);
  img::Bitmap32 b = Filled(4, 4, kBlank);
  PaintGradient(b, {0, 0, 4, 4}, {{0x112233, 0, 100, 2}});
  EXPECT_TRUE(SameBitmap(b, Filled(4, 4, kBlank), "four_corners_none"));
}

TEST(GradientPaintTest, TexturedGradientMixesTheTileAnchoredAtTheTargetOrigin) {
  // Texture columns 200 and 0 (tile 2 x 1); gradient grey 100; weight 76:
  // (76 * 100 + 25600) >> 8 = 129 and (76 * -100 + 25600) >> 8 = 70.
  img::Bitmap32 texture(3, 1);
  texture.Pixel(0, 0) = {9, 9, 9, 0};
  texture.Pixel(1, 0) = {200, 200, 200, 0};
  texture.Pixel(2, 0) = {0, 0, 0, 0};
  for (int mode : {0, 1}) {
    TsGradArray g{{0x646464, 0x646464, 100, mode}};
    img::Bitmap32 b = Filled(5, 3, kBlank);
    PaintGradientTextured(b, {1, 0, 5, 3}, g, 200, 76, {1, 0, 3, 1}, texture);
    img::Bitmap32 expected = Filled(5, 3, kBlank);
    for (int y = 0; y < 3; ++y)
      for (int x = 1; x < 5; ++x) {
        uint8_t v = x % 2 == 0 ? 129 : 70;
        expected.Pixel(x, y) = {v, v, v, 200};
      }
    EXPECT_TRUE(SameBitmap(b, expected, "textured_mode" + std::to_string(mode)));
  }
}

// The textured gradient pixel by pixel: the plain gradient, each channel mixed with the tile's
// pixel at (x mod width, y mod height) of its rectangle, alpha set.
img::Bitmap32 ReferenceTextured(const img::Bitmap32& before, const TRect& rect,
                                const TsGradArray& g, uint8_t alpha, int weight, const TRect& tile,
                                const img::Bitmap32& texture) {
  img::Bitmap32 out = before;
  PaintGradient(out, rect, g);
  auto mix = [weight](int gc, int tc) { return uint8_t((weight * (tc - gc) + gc * 256) >> 8); };
  for (int y = std::max(rect.Top, 0); y < std::min(rect.Bottom, out.Height()); ++y)
    for (int x = std::max(rect.Left, 0); x < std::min(rect.Right, out.Width()); ++x) {
      const img::TRGBAPixel t =
          texture.Pixel(tile.Left + x % tile.Width(), tile.Top + y % tile.Height());
      img::TRGBAPixel& p = out.Pixel(x, y);
      p = {mix(p.B, t.B), mix(p.G, t.G), mix(p.R, t.R), alpha};
    }
  return out;
}

TEST(GradientPaintTest, TexturedGradientMatchesThePlainMixEverywhere) {
  // Every texture byte value against gradients running through every value, with tiles that
  // start mid-row, rows that are not whole tiles, and a rectangle cut by the bitmap.
  img::Bitmap32 texture(19, 17);
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 19; ++x)
      texture.Pixel(x, y) = {uint8_t(x * 17 + y), uint8_t(y * 19 + x), uint8_t(x * y * 7), 3};
  const TRect tiles[] = {{0, 0, 19, 17}, {2, 3, 13, 8}, {5, 0, 6, 17}, {4, 4, 40, 40}};
  const TRect rects[] = {{0, 0, 50, 40}, {7, 3, 44, 39}, {-3, -2, 60, 45}, {1, 1, 2, 5}};
  for (int mode : {0, 1}) {
    const TsGradArray g{{0x000000, 0xFFFFFF, 60, mode}, {0x10FF80, 0x7F00FF, 40, mode}};
    for (int weight : {0, 1, 76, 128, 255})
      for (const TRect& tile : tiles)
        for (const TRect& rect : rects) {
          const img::Bitmap32 before = Filled(50, 40, kBlank);
          img::Bitmap32 b = before;
          PaintGradientTextured(b, rect, g, 200, weight, tile, texture);
          const TRect clipped = ClipToBitmap(tile, texture);
          ASSERT_TRUE(SameBitmap(b,
                                 ReferenceTextured(before, rect, g, 200, weight, clipped, texture),
                                 "textured_" + std::to_string(mode) + "_" + std::to_string(weight)))
              << rect.Left << "," << rect.Top << " tile " << tile.Left << "," << tile.Top;
        }
  }
}

TEST(GradientPaintTest, TexturedHorizontalGradientRepeatsItsBlockOfRows) {
  // A tile two rows high over five rows: rows 2..4 repeat rows 0..1.
  img::Bitmap32 texture(1, 2);
  texture.Pixel(0, 0) = {0, 0, 0, 0};
  texture.Pixel(0, 1) = {255, 255, 255, 0};
  TsGradArray g{{0x000000, 0x0000FF, 100, 1}};
  img::Bitmap32 b = Filled(4, 5, kBlank);
  PaintGradientTextured(b, {0, 0, 4, 5}, g, 255, 128, {}, texture);
  img::Bitmap32 plain = Filled(4, 5, kBlank);
  PaintGradient(plain, {0, 0, 4, 5}, g);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 4; ++x) {
      const int gr = plain.Pixel(x, 0).R, t = y % 2 ? 255 : 0;
      ASSERT_EQ(b.Pixel(x, y).R, (128 * (t - gr) + gr * 256) >> 8) << x << "," << y;
      ASSERT_EQ(b.Pixel(x, y).B, (128 * t) >> 8) << x << "," << y;
    }
}

}  // namespace
