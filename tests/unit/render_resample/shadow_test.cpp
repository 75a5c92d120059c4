// The shadow tint: the flat tint the control adapters use, the rings of a deep shadow, rounded
// corners, clipping and out-of-range strengths.
#include <gtest/gtest.h>

#include "skin/data/sSkinData.h"
#include "skin/render/sShadow.h"

namespace {

img::Bitmap32 Filled(int width, int height, img::TRGBAPixel value) {
  img::Bitmap32 bitmap(width, height);
  bitmap.Fill(value);
  return bitmap;
}

TEST(TintRoundedShadow, FlatTintKeeps153Of256) {
  img::Bitmap32 bitmap = Filled(6, 4, {200, 100, 0, 77});
  TintRoundedShadow(bitmap, {0, 0, 6, 4}, 60, 0, 0, 0x000000);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(bitmap.Pixel(x, y), (img::TRGBAPixel{119, 59, 0, 77}));
  }
  // Toward white: (255 * 256 + (200 - 255) * 153) >> 8 = 222; the colour is 0x00BBGGRR.
  img::Bitmap32 light = Filled(3, 3, {200, 200, 200, 255});
  TintRoundedShadow(light, {0, 0, 3, 3}, 60, 0, 0, 0x0000FF);
  EXPECT_EQ(light.Pixel(1, 1), (img::TRGBAPixel{119, 119, 222, 255}));
}

TEST(TintRoundedShadow, DeepShadowStepsTowardItsInside) {
  // Depth 2, strength 60: rings at 255 and 153 + round(102 / 3 * 2) = 221, the inside at 153.
  img::Bitmap32 bitmap = Filled(10, 10, {255, 255, 255, 255});
  TintRoundedShadow(bitmap, {0, 0, 10, 10}, 60, 0, 2, 0x000000);
  const uint8_t expected[] = {254, 220, 152, 152, 152, 152, 152, 152, 220, 254};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(bitmap.Pixel(i, 5).B, expected[i]) << i;
    EXPECT_EQ(bitmap.Pixel(5, i).R, expected[i]) << i;
  }
  EXPECT_EQ(bitmap.Pixel(1, 0).G, 254);
  EXPECT_EQ(bitmap.Pixel(1, 1).G, 220);
}

TEST(TintRoundedShadow, CornersOutsideTheRoundingTakeTheColour) {
  img::Bitmap32 bitmap = Filled(20, 20, {255, 255, 255, 255});
  TintRoundedShadow(bitmap, {0, 0, 20, 20}, 60, 8, 3, 0x102030);
  for (auto [x, y] : {std::pair{0, 0}, {19, 0}, {0, 19}, {19, 19}}) {
    EXPECT_EQ(bitmap.Pixel(x, y), (img::TRGBAPixel{0x10, 0x20, 0x30, 255})) << x << "," << y;
  }
  EXPECT_EQ(bitmap.Pixel(10, 0).B, 254);
  EXPECT_EQ(bitmap.Pixel(10, 10).B, (0x10 * 256 + (255 - 0x10) * 153) >> 8);
}

TEST(TintRoundedShadow, RectangleOutsideTheTargetIsClippedButKeepsItsShape) {
  img::Bitmap32 whole = Filled(30, 30, {180, 180, 180, 255});
  TintRoundedShadow(whole, {5, 5, 25, 25}, 40, 6, 4, 0x000000);
  // The same shadow painted over a target that shows only its lower right part.
  img::Bitmap32 part = Filled(15, 15, {180, 180, 180, 255});
  TintRoundedShadow(part, {-10, -10, 10, 10}, 40, 6, 4, 0x000000);
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 15; ++x) {
      const img::TRGBAPixel expected =
          x < 10 && y < 10 ? whole.Pixel(x + 15, y + 15) : img::TRGBAPixel{180, 180, 180, 255};
      EXPECT_EQ(part.Pixel(x, y), expected) << x << "," << y;
    }
  }
  img::Bitmap32 untouched = Filled(4, 4, {1, 2, 3, 4});
  TintRoundedShadow(untouched, {4, 0, 9, 4}, 60, 0, 0, 0);
  TintRoundedShadow(untouched, {2, 2, 2, 3}, 60, 0, 0, 0);
  EXPECT_EQ(untouched.Pixel(3, 2), (img::TRGBAPixel{1, 2, 3, 4}));
}

TEST(TintRoundedShadow, StrengthIsHeldWithinAPercent) {
  img::Bitmap32 bitmap = Filled(2, 2, {200, 200, 200, 255});
  TintRoundedShadow(bitmap, {0, 0, 1, 2}, 150, 0, 0, 0x000000);
  TintRoundedShadow(bitmap, {1, 0, 2, 2}, -10, 0, 0, 0x000000);
  EXPECT_EQ(bitmap.Pixel(0, 0).B, 199);  // as 100: nearly unchanged
  EXPECT_EQ(bitmap.Pixel(1, 0).B, 0);    // as 0: all colour
}

}  // namespace
