// Block fills and copies: the bands of a frame and clipping at every edge.
#include <gtest/gtest.h>

#include "Pictures.h"
#include "skin/render/sDcHelpers.h"

namespace {

using namespace parentbg_test;

// The bitmap as rows of characters: '.' where it is still kBlank, '#' elsewhere.
std::string Shape(const img::Bitmap32& b) {
  std::string s;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) s += b.Pixel(x, y) == kBlank ? '.' : '#';
    s += '\n';
  }
  return s;
}

TEST(DcHelpersTest, FillFrameSolidFillsFourBandsOfTheirOwnWidthsOpaque) {
  img::Bitmap32 b = Filled(7, 6, kBlank);
  FillFrameSolid(b, {1, 1, 7, 6}, 1, 2, 2, 1, 0x0000FF);
  EXPECT_EQ(Shape(b),
            ".......\n"
            ".######\n"
            ".######\n"
            ".#...##\n"
            ".#...##\n"
            ".######\n");
  EXPECT_EQ(b.Pixel(1, 1), (img::TRGBAPixel{0, 0, 255, 255}));
}

TEST(DcHelpersTest, FillRectSolidResolvesSystemColoursAndClips) {
  img::Bitmap32 b = Filled(3, 2, kBlank);
  FillRectSolid(b, {-5, 1, 9, 9}, int32_t(0x80000000u | 15));  // button face
  EXPECT_EQ(Shape(b), "...\n###\n");
  EXPECT_EQ(b.Pixel(0, 1).A, 255);
  EXPECT_NE(b.Pixel(0, 1), (img::TRGBAPixel{15, 0, 0, 255}));
}

TEST(DcHelpersTest, CopyFrameBandsCopiesOnlyTheFrameOfTheRectangle) {
  const img::Bitmap32 source = Numbered(10, 10);
  img::Bitmap32 b = Filled(8, 7, kBlank);
  CopyFrameBands(b, 1, 1, 2, source, 3, 2, 6, 5);
  EXPECT_EQ(Shape(b),
            "........\n"
            ".######.\n"
            ".######.\n"
            ".##..##.\n"
            ".######.\n"
            ".######.\n"
            "........\n");
  EXPECT_EQ(b.Pixel(1, 1), source.Pixel(3, 2));
  EXPECT_EQ(b.Pixel(6, 5), source.Pixel(8, 6));
  EXPECT_EQ(b.Pixel(3, 5), source.Pixel(5, 6));
}

TEST(DcHelpersTest, CopyFrameBandsIsClippedToTargetAndSource) {
  const img::Bitmap32 source = Numbered(6, 6);
  img::Bitmap32 b = Filled(5, 4, kBlank);
  // Starts left of and above the target; the source runs out at its right edge.
  CopyFrameBands(b, -1, -1, 2, source, 1, 1, 6, 6);
  // The source's last column lands in target column 3; column 4 would read past it.
  EXPECT_EQ(Shape(b),
            "####.\n"
            "#..#.\n"
            "#..#.\n"
            "####.\n");
  EXPECT_EQ(b.Pixel(0, 0), source.Pixel(2, 2));
  EXPECT_EQ(b.Pixel(3, 0), source.Pixel(5, 2));
  img::Bitmap32 untouched = Filled(3, 3, kBlank);
  CopyFrameBands(untouched, 0, 0, 0, source, 0, 0, 3, 3);
  CopyFrameBands(untouched, 5, 0, 1, source, 0, 0, 3, 3);
  EXPECT_EQ(Shape(untouched), "...\n...\n...\n");
}

}  // namespace
