// Pictures with their own alpha, their mirror image, the split-button arrows, the older button
// glyphs and PNG pictures drawn into a rectangle: worked numbers and the edges of the clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "BitmapCheck.h"
#include "skin/render/sAlphaImage.h"
#include "skin/render/sPNGDraw.h"
#include "skin/render/sSmallGlyphs.h"

namespace {

using img::TRGBAPixel;
using render_test::Filled;

constexpr TRGBAPixel kKeyPixel{255, 0, 255, 0};

struct PixelCase {
  const char* name;
  TRGBAPixel picture, target;
  int translucency;
  int32_t tint;
  TRGBAPixel blended, drawn;  // BlendAlphaImage (without translucency or tint), DrawAlphaImage
};

TEST(AlphaImageTest, OnePixelOfBothRoutinesMatchesTheWorkedNumbers) {
  // clang-format off
  const PixelCase cases[] = {
      {"opaque replaces", {10, 20, 30, 255}, {200, 100, 50, 0}, 0, kNoTint,
       {10, 20, 30, 255}, {10, 20, 30, 255}},
      {"opaque white over black", {255, 255, 255, 255}, {0, 0, 0, 0}, 0, kNoTint,
       {255, 255, 255, 255}, {255, 255, 255, 255}},
      {"clear leaves", {10, 20, 30, 0}, {200, 100, 50, 9}, 0, kNoTint,
       {200, 100, 50, 9}, {200, 100, 50, 9}},
      {"half over A=0", {10, 20, 30, 128}, {200, 100, 50, 0}, 0, kNoTint,
       {105, 60, 40, 128}, {105, 60, 40, 128}},
      {"half over A=200", {10, 20, 30, 128}, {200, 100, 50, 200}, 0, kNoTint,
       {105, 60, 40, 227}, {105, 60, 40, 200}},
      // 255 * 50 div 100 = 127, which gives 128 where 128 would give 127; alpha untouched.
      {"translucency 50", {0, 0, 0, 255}, {255, 255, 255, 200}, 50, kNoTint,
       {0, 0, 0, 255}, {128, 128, 128, 200}},
      // Grey 60 in (R 64, G 128, B 255) is (15, 30, 60).
      {"tint", {30, 60, 90, 255}, {200, 100, 50, 77}, 0, 0xFF8040,
       {30, 60, 90, 255}, {60, 30, 15, 77}},
      // 130 x 100 / 255 = 50.98 rounds to 51.
      {"tint rounds", {130, 130, 130, 255}, {0, 0, 0, 0}, 0, 0x000064,
       {130, 130, 130, 255}, {0, 0, 51, 0}},
      // 255 - 127.5 floors to 127.
      {"tint floors", {90, 90, 90, 128}, {255, 255, 255, 255}, 0, 0,
       {172, 172, 172, 255}, {127, 127, 127, 255}},
  };
  // clang-format on
  for (const PixelCase& c : cases) {
    img::Bitmap32 picture = Filled(1, 1, c.picture), blended = Filled(1, 1, c.target);
    img::Bitmap32 drawn = blended;
    BlendAlphaImage({0, 0, 1, 1}, {0, 0, 1, 1}, blended, false, EmptyBgSource, &picture);
    DrawAlphaImage({0, 0, 1, 1}, {0, 0, 1, 1}, drawn, false, c.translucency, c.tint, false,
                   EmptyBgSource, &picture);
    EXPECT_EQ(blended.Pixel(0, 0), c.blended) << c.name;
    EXPECT_EQ(drawn.Pixel(0, 0), c.drawn) << c.name;
  }
}

TEST(AlphaImageTest, ClipsBothStartsTogetherAndTakesKeysFromTheBackground) {
  img::Bitmap32 picture(6, 1), target = Filled(4, 1, {1, 1, 1, 1});
  for (int x = 0; x < 6; ++x) picture.Pixel(x, 0) = {uint8_t(x * 10), 0, 0, 255};
  DrawAlphaImage({-3, 0, 3, 1}, {0, 0, 6, 1}, target, false, 0, kNoTint, false, EmptyBgSource,
                 &picture);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(target.Pixel(x, 0).B, (x + 3) * 10) << x;
  EXPECT_EQ(target.Pixel(3, 0), TRGBAPixel({1, 1, 1, 1}));

  // A source starting 2 before the picture: the drawn block starts 2 later and is 2 shorter,
  // 6 - 2 = 4 pixels of the picture's first ones, however much room the target has.
  img::Bitmap32 wide = Filled(8, 1, {1, 1, 1, 1});
  DrawAlphaImage({0, 0, 8, 1}, {-2, 0, 4, 1}, wide, false, 0, kNoTint, false, EmptyBgSource,
                 &picture);
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(wide.Pixel(x, 0), x >= 2 && x < 6 ? TRGBAPixel({uint8_t((x - 2) * 10), 0, 0, 255})
                                                : TRGBAPixel({1, 1, 1, 1}))
        << x;

  // A key pixel takes the background behind it (at the source's offset) only when asked, and only
  // where the background reaches; the fuller routine keeps the target's alpha.
  img::Bitmap32 keys = Filled(3, 1, kKeyPixel), back = Filled(3, 1, {7, 8, 9, 0});
  const TsBgSource bg = MakeBgSource(&back, 1, 0);
  for (bool fromBg : {false, true}) {
    img::Bitmap32 blended = Filled(3, 1, {1, 1, 1, 1}), drawn = blended;
    BlendAlphaImage({0, 0, 3, 1}, {0, 0, 3, 1}, blended, fromBg, bg, &keys);
    DrawAlphaImage({0, 0, 3, 1}, {0, 0, 3, 1}, drawn, false, 0, kNoTint, fromBg, bg, &keys);
    const TRGBAPixel behind = fromBg ? TRGBAPixel{7, 8, 9, 255} : TRGBAPixel{1, 1, 1, 1};
    EXPECT_EQ(blended.Pixel(1, 0), behind) << fromBg;
    EXPECT_EQ(drawn.Pixel(1, 0), TRGBAPixel({behind.B, behind.G, behind.R, 1})) << fromBg;
    EXPECT_EQ(blended.Pixel(2, 0), TRGBAPixel({1, 1, 1, 1})) << "outside the background";
  }
}

TEST(AlphaImageTest, ReflectionFadesOverItsRowsAndStaysInsideTheSourceRectangle) {
  // 20 rows drawn 5 above the bottom: min(9, 4) = 4 mirror rows, the last of weight 0.
  img::Bitmap32 picture = Filled(1, 20, {255, 255, 255, 255}), target(1, 30);
  DrawAlphaImage({0, 5, 1, 25}, {0, 0, 1, 20}, target, true, 0, kNoTint, false, EmptyBgSource,
                 &picture);
  const uint8_t expected[] = {0, 46, 27, 11, 0};  // rows 25 .. 29
  for (int k = 0; k <= 4; ++k) EXPECT_EQ(target.Pixel(0, 25 + k).G, expected[k]) << k;
  EXPECT_EQ(target.Pixel(0, 26).A, 47);

  // The middle image of a strip: only its own rows are mirrored, whether the rectangle lies
  // inside the picture or reaches past its bottom.
  // rows 10 .. 13 are green, the rest red.
  struct {
    int height;
    TRect source;
    int first, last;  // the green mirror rows
  } const cases[] = {{20, {0, 10, 1, 14}, 5, 8}, {14, {0, 10, 1, 18}, 8, 10}};
  for (const auto& c : cases) {
    img::Bitmap32 strip(1, c.height), out(1, 20);
    for (int y = 0; y < c.height; ++y)
      strip.Pixel(0, y) =
          y >= 10 && y < 14 ? TRGBAPixel{0, 255, 0, 255} : TRGBAPixel{0, 0, 255, 255};
    DrawAlphaImage({0, 0, 1, 4}, c.source, out, true, 0, kNoTint, false, EmptyBgSource, &strip);
    for (int y = 4; y < 20; ++y) {
      EXPECT_EQ(out.Pixel(0, y).G > 0, y >= c.first && y < c.last) << c.height << " row " << y;
      EXPECT_EQ(out.Pixel(0, y).R, 0) << c.height << " row " << y << " read outside the source";
    }
  }
}

TEST(SmallGlyphsTest, ArrowsSitCentredPixelByPixel) {
  img::Bitmap32 down(16, 20), right(16, 20), none(16, 20), edge(3, 3);
  PaintSmallArrow(down, 0x0000FF, {0, 0, 16, 20}, adDown);
  PaintSmallArrow(right, 0x0000FF, {0, 0, 16, 20}, adRight);
  PaintSmallArrow(none, 0x0000FF, {0, 0, 16, 20}, 2);
  PaintSmallArrow(edge, 0x0000FF, {-6, -6, 4, 4}, adDown);  // mostly outside: clipped
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool inDown = y >= 7 && y <= 10 && x >= 4 + (y - 7) && x <= 11 - (y - 7);
      const bool inRight = x >= 6 && x <= 9 && y >= 7 + (x - 6) && y <= 13 - (x - 6);
      const TRGBAPixel painted{0, 0, 255, 255};
      EXPECT_EQ(down.Pixel(x, y), inDown ? painted : TRGBAPixel()) << x << "," << y;
      EXPECT_EQ(right.Pixel(x, y).A, inRight ? 255 : 0) << x << "," << y;
      EXPECT_EQ(none.Pixel(x, y).A, 0);
    }
}

// A strip of n frames, frame e filled with blue e * 40 + 10 and alpha 77, its bottom row the key.
img::Bitmap32 Strip(int n, TRGBAPixel key) {
  img::Bitmap32 glyph(2 * n, 2);
  for (int x = 0; x < 2 * n; ++x) {
    glyph.Pixel(x, 0) = {uint8_t(x / 2 * 40 + 10), 0, 0, 77};
    glyph.Pixel(x, 1) = key;
  }
  return glyph;
}

TEST(SmallGlyphsTest, ButtonStatesPickTheirFrame) {
  struct {
    int n, state, pressed;
    bool enabled, fourBit;
    int frame;
  } const cases[] = {
      {4, 2, 1, true, false, 3}, {2, 2, 1, true, false, 1}, {3, 2, 1, true, false, 1},
      {3, 2, 1, true, true, 0},  {4, 2, 0, true, false, 2}, {4, 1, 0, true, false, 1},
      {4, 1, 0, true, true, 0},  {4, 0, 0, true, false, 0}, {4, 2, 1, false, false, 0},
      {4, 3, 0, true, false, 3}, {3, 3, 0, true, false, 0}, {4, 7, 0, true, false, -1},
  };
  for (const auto& c : cases) {
    img::Bitmap32 target = Filled(2, 2, {1, 1, 1, 1});
    PaintButtonGlyph(Strip(c.n, {0, 0, 99, 0}), target, {0, 0, 2, 2}, c.pressed, 0, c.state, 0,
                     c.enabled, c.n, c.fourBit);
    const TRGBAPixel want =
        c.frame < 0 ? TRGBAPixel{1, 1, 1, 1} : TRGBAPixel{uint8_t(c.frame * 40 + 10), 0, 0, 77};
    EXPECT_EQ(target.Pixel(1, 0), want) << c.n << " frames, state " << c.state;
    EXPECT_EQ(target.Pixel(0, 1), TRGBAPixel({1, 1, 1, 1})) << "key copied";
  }
}

TEST(SmallGlyphsTest, SingleGlyphCopiesOpaqueAndFadesKeyedInPixelOrder) {
  // Key colour B 0x10, G 0x20, R 0xF0 at the bottom-left; the pixel above it has red and blue
  // the other way round and is no key.
  img::Bitmap32 glyph(1, 2);
  glyph.Pixel(0, 0) = {0xF0, 0x20, 0x10, 0};
  glyph.Pixel(0, 1) = {0x10, 0x20, 0xF0, 0};
  img::Bitmap32 copied = Filled(1, 2, {100, 100, 100, 9}), faded = copied;
  PaintButtonGlyph(glyph, copied, {0, 0, 1, 2}, 0, 0, 0, 0, true, 1);
  PaintButtonGlyph(glyph, faded, {0, 0, 1, 2}, 0, 0, 0, kGlyphFadeHalf, false, 1);
  EXPECT_EQ(copied.Pixel(0, 0), TRGBAPixel({0xF0, 0x20, 0x10, 255}));
  EXPECT_EQ(copied.Pixel(0, 1), TRGBAPixel({100, 100, 100, 9}));
  EXPECT_EQ(faded.Pixel(0, 0), TRGBAPixel({170, 66, 58, 9}));
  EXPECT_EQ(faded.Pixel(0, 1), TRGBAPixel({100, 100, 100, 9}));
}

img::TPNGGraphic Graphic(img::Bitmap32 pixels, bool reflected = false) {
  img::Picture picture;
  picture.pixels = std::move(pixels);
  img::TPNGGraphic graphic;
  graphic.Assign(picture);
  graphic.Reflected = reflected;
  return graphic;
}

TEST(PNGDrawTest, BlendsStretchesAndMirrorsIntoTheRectangle) {
  img::Bitmap32 two(2, 1);
  two.Pixel(0, 0) = {0, 0, 200, 255};
  two.Pixel(1, 0) = {0, 0, 200, 0};
  const TRGBAPixel under{50, 50, 50, 255}, red{0, 0, 200, 255};

  img::Bitmap32 same = Filled(4, 3, under);
  DrawPNGGraphic(same, {1, 1, 3, 2}, Graphic(two));
  EXPECT_EQ(same.Pixel(1, 1), red);
  EXPECT_EQ(same.Pixel(2, 1), under);
  EXPECT_EQ(same.Pixel(0, 1), under);

  img::Bitmap32 scaled = Filled(4, 2, under);  // colour and alpha stretched alike
  DrawPNGGraphic(scaled, {0, 0, 4, 2}, Graphic(two, true));
  for (int x = 0; x < 4; ++x) EXPECT_EQ(scaled.Pixel(x, 1), x < 2 ? red : under) << x;

  img::Picture rgb;
  rgb.pixels = img::Bitmap24(1, 1);
  img::TPNGGraphic opaque;
  opaque.Assign(rgb);
  DrawPNGGraphic(scaled, {0, 0, 2, 1}, opaque);
  EXPECT_EQ(scaled.Pixel(1, 0), TRGBAPixel({0, 0, 0, 255}));

  // 8 rows: a band of 4 below, of which 2 rows show; the fade is the same where the canvas ends
  // inside the band.
  for (int height : {20, 10}) {
    img::Bitmap32 canvas = Filled(1, height, {0, 0, 0, 255});
    DrawPNGGraphic(canvas, {0, 0, 1, 8}, Graphic(Filled(1, 8, {255, 255, 255, 255}), true));
    const uint8_t expected[] = {255, 0, 41, 14};  // rows 7 .. 10
    for (int y = 7; y < std::min(height, 12); ++y)
      EXPECT_EQ(canvas.Pixel(0, y).R, y < 11 ? expected[y - 7] : 0) << height << " row " << y;
  }
}

}  // namespace
