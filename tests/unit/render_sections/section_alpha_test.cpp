// Whole elements for pictures whose alpha matters: the section's opacity in the alpha channel,
// its border mask mixed over the background, the border's key pixels keeping what the picture held,
// and a picture that is all element left premultiplied for a layered window.
#include <gtest/gtest.h>

#include "SectionFixtures.h"
#include "skin/render/sSection.h"

namespace {

using namespace sections_test;

constexpr img::TRGBAPixel kEmpty{0, 0, 0, 0}, kMarker{10, 20, 30, 40};

// "PANEL": red 200, 40 % transparent (60 % opaque: alpha 60 * 255 div 100 = 153),
// with a masked 3 x 3 blue border of margins 1: its bottom-right pixel is the key, its mask lets
// everything of the picture through except on the top edge, where it mixes half and half.
struct SectionAlphaTest : ::testing::Test {
  SectionAlphaTest() {
    model.MasterImage = Filled(3, 6, {0, 0, 0, 0});
    FillRect(model.MasterImage, {0, 0, 3, 3}, kBlue);
    model.MasterImage.Pixel(2, 2) = kKey;
    model.MasterImage.Pixel(1, 3) = {0, 0, 128, 0};
    const int border = AddEntry(model, {0, 0, 3, 6}, 1, 1);
    TsMaskData& b = model.ImageTable[size_t(border)];
    b.MarginLeft = b.MarginTop = b.MarginRight = b.MarginBottom = 1;
    TsGeneralData panel;
    panel.SectionName = "PANEL";
    panel.StateCount = 1;
    panel.States[0].Color = 0x0000C8;
    panel.States[0].Transparency = 40;
    model.SectionTable.push_back(panel);
  }
  void WithBorder() { model.SectionTable[0].BorderIndex = 0; }
  TsSkinModel model;
};

TEST_F(SectionAlphaTest, AWholePictureEndsPremultipliedAndAPartLeavesTheRestAlone) {
  img::Bitmap32 whole = Filled(4, 3, kEmpty);
  PaintSectionAlpha(&model, 0, 5, whole, {0, 0, 4, 3});  // past the one state: that state
  // 200 at alpha 153 premultiplied: 200 * 153 >> 8 = 119.
  EXPECT_EQ(whole.Pixel(0, 0), (img::TRGBAPixel{0, 0, 119, 153}));
  EXPECT_EQ(whole.Pixel(3, 2), (img::TRGBAPixel{0, 0, 119, 153}));

  img::Bitmap32 part = Filled(4, 3, kEmpty);
  part.Pixel(0, 0) = kMarker;
  PaintSectionAlpha(&model, 0, 0, part, {1, 1, 3, 3});
  EXPECT_EQ(part.Pixel(0, 0), kMarker);
  EXPECT_EQ(part.Pixel(3, 1), kEmpty);
  EXPECT_EQ(part.Pixel(1, 0), kEmpty);
  // Not the whole picture: the colour stays as it is, to be premultiplied with the rest.
  EXPECT_EQ(part.Pixel(1, 1), (img::TRGBAPixel{0, 0, 200, 153}));
  EXPECT_EQ(part.Pixel(2, 2), (img::TRGBAPixel{0, 0, 200, 153}));

  // A rectangle reaching out of the picture paints nothing.
  img::Bitmap32 outside = Filled(4, 3, kEmpty);
  PaintSectionAlpha(&model, 0, 0, outside, {1, 1, 5, 3});
  EXPECT_EQ(outside.Pixel(1, 1), kEmpty);
}

TEST_F(SectionAlphaTest, TheBorderMaskLiesOverTheBackgroundAndItsKeysKeepThePicture) {
  WithBorder();
  img::Bitmap32 target = Filled(6, 5, kEmpty);
  target.Pixel(4, 3) = kMarker;  // under the border's key pixel
  PaintSectionAlpha(&model, 0, 0, target, {1, 1, 5, 4});
  // The mask lets the picture through: (200 * 255) >> 8 = 199, and the pixel is opaque.
  EXPECT_EQ(target.Pixel(1, 1), (img::TRGBAPixel{199, 0, 0, 255}));
  EXPECT_EQ(target.Pixel(1, 2), (img::TRGBAPixel{199, 0, 0, 255}));
  // Half and half on the top edge: blue (200 * 127) >> 8 = 99, red (200 * 128) >> 8 = 100; the
  // background's alpha is the higher.
  EXPECT_EQ(target.Pixel(2, 1), (img::TRGBAPixel{99, 0, 100, 153}));
  EXPECT_EQ(target.Pixel(3, 1), (img::TRGBAPixel{99, 0, 100, 153}));
  EXPECT_EQ(target.Pixel(2, 2), (img::TRGBAPixel{0, 0, 200, 153}));  // the background inside
  EXPECT_EQ(target.Pixel(4, 3), kMarker);  // the key: what was there before the element
  EXPECT_EQ(target.Pixel(0, 0), kEmpty);
  EXPECT_EQ(target.Pixel(5, 4), kEmpty);
}

}  // namespace
