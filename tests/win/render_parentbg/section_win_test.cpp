// A whole element painted for a control: background, corner image and border, the control's own
// colour, and the hue and saturation changes that apply only where the control paints itself.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "Golden.h"
#include "WinWorld.h"
#include "skin/render/sControlSection.h"

namespace {

using namespace parentbg_win_test;

constexpr img::TRGBAPixel kBehind{40, 140, 40, 255};

// "PANEL": a blue-grey face, a 3 x 3 border entry (margins 1, a transparent top-left pixel) drawn
// from the master picture's left part, and a 2 x 2 top-right corner image from its right part.
struct SectionTest : ::testing::Test {
  SectionTest() : box(nullptr), data(&box, false) {
    img::Bitmap32 master = Filled(5, 3, {0, 0, 160, 0});
    master.Pixel(0, 0) = kKey;
    for (int y = 0; y < 2; ++y)
      for (int x = 3; x < 5; ++x) master.Pixel(x, y) = {0, 200, 255, 0};
    SkinPanel(model, data, std::move(master), 0x806040);
    TsMaskData corner = model.ImageTable[0];
    corner.SrcRect = {3, 0, 5, 2};
    corner.CornerTransparency = 0;
    model.ImageTable.push_back(corner);
    model.SectionTable[0].StateCount = 2;
    model.SectionTable[0].CornerIndex = {-1, 1, -1, -1};
    box.SetColor(0x00FFFF);
  }
  img::Bitmap32 Paint(int state) {
    img::Bitmap32 target = Filled(12, 9, {7, 7, 7, 255});
    PaintControlSection(data, MakeBgSource(&behind, 0, 0), true, target, {0, 0}, {1, 1, 11, 8},
                        state);
    return target;
  }
  TBox box;
  TsSkinModel model;
  TsCommonData data;
  img::Bitmap32 behind = Filled(12, 9, kBehind);
};

TEST_F(SectionTest, BackgroundCornerImageAndBorderWithTheControlsHue) {
  ExpectGolden(Paint(0), "parentbg_control_section");
  data.HUEOffset = 120;
  ExpectGolden(Paint(0), "parentbg_control_section_hue");
}

TEST_F(SectionTest, ACustomColouredControlShowsItsOwnColour) {
  data.CustomColor = true;
  EXPECT_EQ(Paint(0).Pixel(5, 4), (img::TRGBAPixel{0, 255, 255, 255}));
}

// The control's own texture entries replace the one its section names, each in its state; a
// custom colour replaces them all.
TEST_F(SectionTest, TheControlsOwnTexturesReplaceTheSections) {
  auto texture = [this](img::TRGBAPixel colour) {
    TsMaskData entry;
    entry.Owner = &model;
    entry.Image = std::make_shared<img::Bitmap32>(Filled(1, 1, colour));
    entry.SrcRect = {0, 0, 1, 1};
    entry.StateCount = 1;
    entry.ImageKind = kImageTexture;
    model.ImageTable.push_back(entry);
    return int(model.ImageTable.size()) - 1;
  };
  const img::TRGBAPixel section{90, 90, 90, 255}, own{10, 80, 150, 255}, ownHot{150, 80, 10, 255};
  for (TsGenState& look : model.SectionTable[0].States) {
    look.ImagePercent = 100;
    look.TextureIndex = texture(section);
  }
  EXPECT_EQ(Paint(0).Pixel(5, 4), section);
  data.PatternIndex = texture(own);
  data.HotPatternIndex = texture(ownHot);
  EXPECT_EQ(Paint(0).Pixel(5, 4), own);
  EXPECT_EQ(Paint(1).Pixel(5, 4), ownHot);
  data.CustomColor = true;
  EXPECT_EQ(Paint(1).Pixel(5, 4), (img::TRGBAPixel{0, 255, 255, 255}));
}

TEST_F(SectionTest, HueAndSaturationStayOffATransparentControlWhoseBorderIsNotDrawn) {
  model.ImageTable[0].PaintFlags = 2;  // no border in state 0
  model.SectionTable[0].States[0].Transparency = 50;
  const img::Bitmap32 plain = Paint(0);
  data.HUEOffset = 120;
  data.Saturation = -50;
  const img::Bitmap32 shifted = Paint(0);
  EXPECT_EQ(shifted.Pixel(5, 4), plain.Pixel(5, 4));
  // Opaque, or with the border drawn (state 1), the control is its own and takes the changes.
  EXPECT_NE(Paint(1).Pixel(5, 4), plain.Pixel(5, 4));
  model.SectionTable[0].States[0].Transparency = 0;
  EXPECT_NE(Paint(0).Pixel(5, 4), plain.Pixel(5, 4));
}

}  // namespace
