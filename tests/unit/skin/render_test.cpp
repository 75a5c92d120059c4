// The colour transforms and pixel primitives the model's load passes rely on, and the bitmap
// file reader.
#include <gtest/gtest.h>

#include "SkinFixtures.h"
#include "skin/data/BmpFile.h"
#include "skin/render/sBlend.h"
#include "skin/render/sColorTransforms.h"

namespace {

TEST(ColorTransformTest, HueShiftsAroundTheWheelAndKeepsGrey) {
  EXPECT_EQ(ChangeHue(120, 0x00FF0000), 0x0000FF00u);
  EXPECT_EQ(ChangeHue(240, 0x00FF0000), 0x000000FFu);
  EXPECT_EQ(ChangeHue(-120, 0x00FF0000), 0x000000FFu);  // backwards round the wheel
  EXPECT_EQ(ChangeHue(0, 0x80808080), 0x80808080u);
  EXPECT_EQ(ChangeHue(77, 0xAB404040), 0xAB404040u);
  EXPECT_EQ(ChangeHueColor(120, 0x0000FF), 0x00FF00);
  EXPECT_EQ(ChangeHueColor(0, -5), -5);
}

TEST(ColorTransformTest, SaturationMovesAwayFromOrTowardsTheMean) {
  EXPECT_EQ(ChangeSaturation(-100, 0x0000FF), 0x555555);
  EXPECT_EQ(ChangeSaturation(100, 0x204060), 0x004080);  // 2v - mean
  EXPECT_EQ(ChangeSaturation(100, 0x0000FF), 0x0000FF);  // limited to 0..255
  EXPECT_EQ(ChangeSaturation(0, 0x123456), 0x123456);
}

TEST(ColorTransformTest, BitmapPassesSkipKeyAndGreyPixels) {
  img::Bitmap32 b(3, 1);
  b.Pixel(0, 0) = {0xFF, 0x00, 0xFF, 0};
  b.Pixel(1, 0) = {9, 9, 9, 255};
  b.Pixel(2, 0) = {0, 0, 255, 200};
  ChangeBitmapHue(b, 120);
  EXPECT_EQ(b.Pixel(0, 0), (img::TRGBAPixel{0xFF, 0x00, 0xFF, 0}));
  EXPECT_EQ(b.Pixel(1, 0), (img::TRGBAPixel{9, 9, 9, 255}));
  EXPECT_EQ(b.Pixel(2, 0), (img::TRGBAPixel{0, 255, 0, 200}));
  ChangeBitmapSaturation(b, -100);
  EXPECT_EQ(b.Pixel(2, 0), (img::TRGBAPixel{85, 85, 85, 200}));
}

TEST(BlendTest, PremultiplyClearsOnlyTransparentWhite) {
  img::Bitmap32 b(2, 1);
  b.Pixel(0, 0) = {0xFF, 0xFF, 0xFF, 0};
  b.Pixel(1, 0) = {0xFE, 0xFF, 0xFF, 0};
  PremultiplyBitmap(b);
  EXPECT_EQ(b.Pixel(0, 0), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(b.Pixel(1, 0), (img::TRGBAPixel{0, 0, 0, 0}));
  EXPECT_EQ(MixColors(0x000000, 0xFFFFFF, 0.05), 0xF2F2F2);
  EXPECT_EQ(MixColors(0x7F000000, 0x000000FF, 0.5), 0x7F000080);  // 127.5 rounds to even
}

TEST(BmpFileTest, ReadsBottomUpRowsAndRejectsShortData) {
  skin_fixtures::Pixels p = skin_fixtures::Solid(3, 2, 0x010203);
  p.At(2, 0) = 0xAABBCC;
  std::string bytes = skin_fixtures::Bmp24(p);
  auto picture = DecodeBmp(bytes);
  ASSERT_TRUE(picture);
  const auto& rgb = std::get<img::Bitmap24>(picture->pixels);
  EXPECT_EQ(rgb.Row(0)[6], 0xCC);
  EXPECT_EQ(rgb.Row(1)[6], 0x03);
  for (size_t n = 0; n < bytes.size(); ++n) EXPECT_FALSE(DecodeBmp(bytes.substr(0, n))) << n;
}

TEST(BmpFileTest, PaletteIndexesBeyondAShortPaletteShowTheFirstColour) {
  // 2 x 1, 8 bits, a palette of two colours, pixel indexes 1 and 200.
  std::string b = "BM";
  auto le = [&](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
  };
  le(66, 4), le(0, 4), le(62, 4), le(40, 4), le(2, 4), le(1, 4), le(1, 2), le(8, 2), le(0, 4),
      le(0, 4), le(0, 4), le(0, 4), le(2, 4), le(0, 4);
  le(0x00112233, 4), le(0x00445566, 4);
  b += std::string("\x01\xC8\0\0", 4);
  auto picture = DecodeBmp(b);
  ASSERT_TRUE(picture);
  const auto& indexed = std::get<img::IndexedBitmap>(picture->pixels);
  EXPECT_EQ(indexed.Row(0)[0], 1);
  EXPECT_EQ(indexed.Row(0)[1], 0);
  EXPECT_EQ(indexed.palette[1], (img::TPaletteEntry{0x44, 0x55, 0x66}));
}

// A 1 x 1 bitmap of 32 bits with bit-field masks (red 0xFF00, green 0xFF0000, blue 0xFF000000)
// at byte 54, after a 40-byte info header or inside a longer one, and the pixel after both.
std::string BitfieldsBmp(uint32_t infoSize) {
  const uint32_t pixelsAt = std::max(66u, 14 + infoSize);
  std::string b = "BM";
  auto le = [&](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
  };
  le(pixelsAt + 4, 4), le(0, 4), le(pixelsAt, 4);
  le(infoSize, 4), le(1, 4), le(1, 4), le(1, 2), le(32, 2), le(3, 4);
  b.resize(54, '\0');
  le(0xFF00, 4), le(0xFF0000, 4), le(0xFF000000, 4);
  b.resize(pixelsAt, '\0');
  le(0x332211FF, 4);
  return b;
}

TEST(BmpFileTest, BitFieldMasksMustLieInsideTheFile) {
  // The masks follow a plain header or belong to one of 52 bytes or more.
  for (uint32_t size : {40u, 52u, 56u, 108u}) {
    auto picture = DecodeBmp(BitfieldsBmp(size));
    ASSERT_TRUE(picture) << size;
    EXPECT_EQ(std::get<img::Bitmap32>(picture->pixels).Pixel(0, 0),
              (img::TRGBAPixel{0x33, 0x22, 0x11, 0}))
        << size;
  }
  // Between those, the header is too short for the masks and too long to be followed by them.
  for (uint32_t size = 41; size < 52; ++size) EXPECT_FALSE(DecodeBmp(BitfieldsBmp(size))) << size;
  // 58 bytes: the file header, a 44-byte info header and the pixel inside it.
  std::string damaged = BitfieldsBmp(44).substr(0, 58);
  damaged[10] = 54;
  EXPECT_FALSE(DecodeBmp(damaged));
}

}  // namespace
