#include <gtest/gtest.h>
#include <windows.h>

#include "imaging/Bitmap32.h"

namespace img {
namespace {

TEST(Bitmap32Win, GdiDrawsIntoTheSamePixelsTopDownInBlueGreenRedOrder) {
  Bitmap32 b(4, 3);
  ASSERT_NE(b.Handle(), nullptr);
  HDC dc = b.DC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(b.DC(), dc) << "one DC per bitmap";
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  const RECT topRow = {0, 0, 4, 1};
  FillRect(dc, &topRow, brush);
  DeleteObject(brush);
  GdiFlush();
  EXPECT_EQ(b.Pixel(3, 0).R, 10);
  EXPECT_EQ(b.Pixel(3, 0).G, 20);
  EXPECT_EQ(b.Pixel(3, 0).B, 30);
  EXPECT_EQ(b.Pixel(0, 2), (TRGBAPixel{0, 0, 0, 0})) << "the bottom row is untouched";

  b.Pixel(1, 2) = {30, 20, 10, 255};
  EXPECT_EQ(GetPixel(dc, 1, 2), RGB(10, 20, 30));
}

TEST(Bitmap32Win, CopiesOwnTheirOwnSection) {
  Bitmap32 a(2, 2);
  a.DC();
  Bitmap32 copy = a;
  EXPECT_NE(copy.Handle(), a.Handle());
  Bitmap32 moved = std::move(a);
  EXPECT_EQ(a.Handle(), nullptr);
  EXPECT_NE(moved.DC(), nullptr);
  EXPECT_EQ(Bitmap32().Handle(), nullptr);
  EXPECT_EQ(Bitmap32().DC(), nullptr);
}

}  // namespace
}  // namespace img
