#include "imaging/Bitmap32.h"
#include "imaging/Picture.h"
#include "imaging/Pixels32.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <stdexcept>
#include <utility>

namespace img {
namespace {

// A bitmap (a DIB section on Windows) and a picture in plain memory behave alike.
template <class T>
class Picture32 : public ::testing::Test {};
using PictureKinds = ::testing::Types<Bitmap32, Pixels32>;
TYPED_TEST_SUITE(Picture32, PictureKinds);

// Empty in both directions: a picture left with one side of its old size would still be empty,
// yet not the 0 x 0 picture that callers compare sizes with.
template <class T>
bool NoPixels(const T& picture) {
  return picture.Width() == 0 && picture.Height() == 0 && picture.PixelCount() == 0;
}

TYPED_TEST(Picture32, SizedPictureIsZeroFilledAndRowsAreContiguous) {
  TypeParam b(3, 2);
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

TYPED_TEST(Picture32, CopyIsDeepAndMoveEmptiesTheSource) {
  TypeParam a(2, 2);
  a.Fill({9, 8, 7, 6});
  TypeParam copy = a;
  copy.Pixel(0, 0) = {0, 0, 0, 0};
  EXPECT_EQ(a.Pixel(0, 0), (TRGBAPixel{9, 8, 7, 6}));
  TypeParam moved = std::move(a);
  EXPECT_TRUE(NoPixels(a));
  EXPECT_EQ(moved.Pixel(1, 1), (TRGBAPixel{9, 8, 7, 6}));
  moved = copy;
  EXPECT_EQ(moved.Pixel(0, 0), (TRGBAPixel{0, 0, 0, 0}));
  copy = std::move(moved);
  EXPECT_TRUE(NoPixels(moved));
  EXPECT_EQ(copy.Pixel(0, 0), (TRGBAPixel{0, 0, 0, 0}));
  copy = TypeParam();
  EXPECT_TRUE(NoPixels(copy));
}

TYPED_TEST(Picture32, RejectsNegativeAndUnaddressableSizes) {
  EXPECT_THROW(TypeParam(-1, 4), std::length_error);
  EXPECT_THROW(TypeParam(1 << 16, 1 << 16), std::length_error);
  TypeParam b(0, 5);
  EXPECT_TRUE(NoPixels(b));
  b.Resize(2, 1);
  b.Pixel(1, 0) = {1, 2, 3, 4};
  EXPECT_THROW(b.Resize(1 << 16, 1 << 15), std::length_error);
  ASSERT_EQ(b.Width(), 2);  // a size refused leaves the picture as it was
  EXPECT_EQ(b.Pixel(1, 0), (TRGBAPixel{1, 2, 3, 4}));
}

// Only bitmaps count: a picture in plain memory, an empty bitmap and a move make no storage.
TEST(Bitmap32, CountsTheStoragesItMakes) {
  Pixels32 plain(4, 3);
  plain.Pixel(3, 2) = {1, 2, 3, 4};
  const int64_t start = Bitmap32::StoragesMade();
  const struct {
    const char* what;
    std::function<void()> make;
    int64_t storages;
  } rows[] = {
      {"pixels in plain memory", [] { Pixels32 p(8, 8), q = p; }, 0},
      {"an empty bitmap", [] { Bitmap32 b(0, 7), c(7, 0), d; }, 0},
      {"a 1 x 1 bitmap", [] { Bitmap32 b(1, 1); }, 1},
      {"a copy", [] { Bitmap32 b(2, 2), c = b; }, 2},
      {"a move", [] { Bitmap32 b(2, 2), c = std::move(b); }, 1},
      {"a resize",
       [] {
         Bitmap32 b(2, 2);
         b.Resize(3, 3);
         b.Resize(0, 3);
       },
       2},
      {"a bitmap of plain pixels",
       [&plain] {
         const Bitmap32 b(plain);
         EXPECT_EQ(b.Pixel(3, 2), (TRGBAPixel{1, 2, 3, 4}));
         EXPECT_EQ(Pixels32(b).Pixel(3, 2), (TRGBAPixel{1, 2, 3, 4}));
       },
       1},
  };
  int64_t before = start;
  for (const auto& row : rows) {
    row.make();
    EXPECT_EQ(Bitmap32::StoragesMade() - before, row.storages) << row.what;
    before = Bitmap32::StoragesMade();
  }
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
