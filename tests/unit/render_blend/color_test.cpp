// Colour transforms: hue and saturation changes that come back where they started, and grey.
#include <gtest/gtest.h>

#include "skin/render/sBlend.h"
#include "skin/render/sColorTransforms.h"

namespace {

// The shifted hue is rounded to whole degrees, so colours whose hue is whole come back exactly.
TEST(ColorRoundTripTest, HueShiftsThatCompleteTheWheelReturnTheColour) {
  for (uint32_t pixel : {0x00FF0000u, 0x0000FF00u, 0xAAFFFF00u, 0x00336699u, 0x00804000u}) {
    EXPECT_EQ(ChangeHue(120, ChangeHue(120, ChangeHue(120, pixel))), pixel) << std::hex << pixel;
    EXPECT_EQ(ChangeHue(-90, ChangeHue(90, pixel)), pixel) << std::hex << pixel;
    EXPECT_EQ(ChangeHue(360, pixel), pixel) << std::hex << pixel;
  }
  EXPECT_EQ(ChangeHue(0, 0x00808080), 0x00808080u);
  // The hue is taken to whole degrees: 20.47 degrees of an orange come back as 20.
  EXPECT_EQ(ChangeHue(0, 0x00FF5700), 0x00FF5500u);
  EXPECT_EQ(ChangeHueColor(-120, ChangeHueColor(120, 0x0000FF)), 0x0000FF);
}

TEST(ColorRoundTripTest, SaturationTowardsGreyAndBack) {
  // Half-way to the mean and then twice as far out again: (v + m) / 2 -> 2 * that - m = v.
  for (int32_t c : {0x204060, 0x102030, 0x0A0A50}) {
    const int32_t halved = ChangeSaturation(-50, c);
    EXPECT_EQ(ChangeSaturation(100, halved), c) << std::hex << c;
  }
  EXPECT_EQ(ChangeSaturation(-100, 0x112233), 0x222222);
}

TEST(GreyTest, ChannelsBecomeTheirMeanRoundedDown) {
  img::Bitmap32 b(2, 1);
  b.Pixel(0, 0) = {1, 2, 4, 9};  // mean 7/3
  b.Pixel(1, 0) = {0xFF, 0x00, 0xFF, 0};
  img::Bitmap32 keyed = b;
  GrayscaleBitmap(b);
  EXPECT_EQ(b.Pixel(0, 0), (img::TRGBAPixel{2, 2, 2, 9}));
  EXPECT_EQ(b.Pixel(1, 0), (img::TRGBAPixel{170, 170, 170, 0}));
  GrayscaleNonKey(keyed, 0x00FF00FF);
  EXPECT_EQ(keyed.Pixel(0, 0), (img::TRGBAPixel{2, 2, 2, 9}));
  EXPECT_EQ(keyed.Pixel(1, 0), (img::TRGBAPixel{0xFF, 0x00, 0xFF, 0}));
}

TEST(DisabledTest, GreyAndFadedIntoWhatLiesBehind) {
  img::Bitmap32 parent(4, 1);
  parent.Fill({200, 200, 200, 255});
  parent.Pixel(3, 0) = {0xFF, 0x00, 0xFF, 0};  // key pixels of the background are skipped
  img::Bitmap32 control(2, 1);
  control.Fill({10, 20, 120, 255});  // grey: 50
  // Seen from (1, 0) + offset 1: background columns 2 and 3.
  PaintDisabled(control, kDisabledGrey | kDisabledFade, {1, 0}, MakeBgSource(&parent, 1, 0), 0);
  EXPECT_EQ(control.Pixel(0, 0), (img::TRGBAPixel{140, 140, 140, 255}));  // 0.6 * 200 + 0.4 * 50
  EXPECT_EQ(control.Pixel(1, 0), (img::TRGBAPixel{50, 50, 50, 255}));

  img::Bitmap32 plain(1, 1);
  plain.Fill({100, 100, 100, 7});
  TsBgSource none;
  none.BgColor = kKeyColor;
  PaintDisabled(plain, kDisabledFade, {}, none, 0xC8C8C8);  // the parent's colour, half and half
  EXPECT_EQ(plain.Pixel(0, 0), (img::TRGBAPixel{150, 150, 150, 7}));
}

}  // namespace
