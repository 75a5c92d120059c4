#include "imaging/Bitmap32.h"
#include "imaging/Picture.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <utility>

namespace img {
namespace {

TEST(Bitmap32, SizedBitmapIsZeroFilledAndRowsAreContiguous) {
  Bitmap32 b(3, 2);
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(b.Pixel(x, y), (TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(b.Row(1), b.Row(0) + 3);
  b.Pixel(2, 1) = {1, 2, 3, 4};
  const auto* bytes = reinterpret_cast<const uint8_t*>(b.Row(1) + 2);
  EXPECT_EQ(bytes[0], 1);  // blue first in memory
  EXPECT_EQ(bytes[3], 4);  // alpha last
}

TEST(Bitmap32, CopyIsDeepAndMoveEmptiesTheSource) {
  Bitmap32 a(2, 2);
  a.Fill({9, 8, 7, 6});
  Bitmap32 copy = a;
  copy.Pixel(0, 0) = {0, 0, 0, 0};
  EXPECT_EQ(a.Pixel(0, 0), (TRGBAPixel{9, 8, 7, 6}));
  Bitmap32 moved = std::move(a);
  EXPECT_TRUE(a.Empty());
  EXPECT_EQ(moved.Pixel(1, 1), (TRGBAPixel{9, 8, 7, 6}));
  moved = copy;
  EXPECT_EQ(moved.Pixel(0, 0), (TRGBAPixel{0, 0, 0, 0}));
  moved = Bitmap32();
  EXPECT_TRUE(moved.Empty());
}

TEST(Bitmap32, RejectsNegativeAndUnaddressableSizes) {
  EXPECT_THROW(Bitmap32(-1, 4), std::length_error);
  EXPECT_THROW(Bitmap32(1 << 16, 1 << 16), std::length_error);
  Bitmap32 b(0, 5);
  EXPECT_TRUE(b.Empty());
}

// The decoder's other pixel forms: a size whose bytes wrap a 32-bit size_t must not make a
// small buffer that rows then run past.
TEST(Picture, PixelFormsRejectNegativeAndUnaddressableSizes) {
  EXPECT_THROW(Bitmap24(4, -1), std::length_error);
  EXPECT_THROW(IndexedBitmap(-1, 4, 8), std::length_error);
  EXPECT_THROW(Bitmap24(INT_MAX, INT_MAX), std::length_error);
  EXPECT_THROW(IndexedBitmap(INT_MAX, INT_MAX, 8), std::length_error);
  EXPECT_EQ(Bitmap24(0, 7).Height(), 7);
}

TEST(Picture, ToRGBAExpandsEveryForm) {
  IndexedBitmap indexed(2, 1, 8);
  indexed.palette = {{10, 20, 30}, {40, 50, 60}};
  indexed.Row(0)[1] = 1;
  Picture p{indexed, {}};
  p.transparency.hasPaletteAlpha = true;  // described only: the pixels stay opaque
  RGBAImage out = ToRGBA(p);
  EXPECT_EQ(out.bytes, (std::vector<uint8_t>{10, 20, 30, 255, 40, 50, 60, 255}));

  Bitmap24 rgb(1, 1);
  rgb.Row(0)[0] = 1, rgb.Row(0)[1] = 2, rgb.Row(0)[2] = 3;
  out = ToRGBA(Picture{rgb, {}});
  EXPECT_EQ(out.bytes, (std::vector<uint8_t>{3, 2, 1, 255}));

  Bitmap32 bgra(1, 1);
  bgra.Pixel(0, 0) = {1, 2, 3, 4};
  out = ToRGBA(Picture{bgra, {}});
  EXPECT_EQ(out.bytes, (std::vector<uint8_t>{3, 2, 1, 4}));

  EXPECT_TRUE(ToRGBA(Picture{}).bytes.empty());
}

}  // namespace
}  // namespace img
