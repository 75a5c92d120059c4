// Section backgrounds: the parent showing through at transparency 0, 40 and 100, the layers of an
// opaque state, and the single-pass textured gradient.
#include <gtest/gtest.h>

#include <memory>

#include "BitmapCheck.h"
#include "skin/render/sBackground.h"
#include "skin/render/sBlend.h"

namespace {

using render_test::Filled;
using render_test::SameBitmap;

constexpr img::TRGBAPixel kParent{200, 200, 200, 255};
constexpr img::TRGBAPixel kBlank{1, 2, 3, 4};
constexpr int32_t kOwnColor = 0x646464;  // 100 in every channel

// A model with one section "PANEL" whose normal state is given.
std::unique_ptr<TsSkinModel> PanelModel(const TsGenState& normal) {
  auto model = std::make_unique<TsSkinModel>();
  TsGeneralData section;
  section.SectionName = "PANEL";
  section.States[0] = normal;
  section.States[1] = normal;
  model->SectionTable.push_back(section);
  return model;
}

TsGenState Plain(int transparency) {
  TsGenState s;
  s.Color = kOwnColor;
  s.Transparency = transparency;
  return s;
}

img::Bitmap32 Paint(const TsSkinModel& model, const TsBgSource& bg, TRect rect = {1, 1, 4, 3}) {
  img::Bitmap32 target = Filled(5, 4, kBlank);
  PaintSectionBg(&model, 0, "PANEL", bg, kKeyColor, -1, -1, target, {0, 0}, rect, 0);
  return target;
}

// The target with rect filled by value.
img::Bitmap32 Expected(img::TRGBAPixel value, TRect rect = {1, 1, 4, 3}) {
  img::Bitmap32 b = Filled(5, 4, kBlank);
  for (int y = rect.Top; y < rect.Bottom; ++y)
    for (int x = rect.Left; x < rect.Right; ++x) b.Pixel(x, y) = value;
  return b;
}

TEST(SectionBgTest, TransparencyOverAParentBitmap) {
  img::Bitmap32 parent = Filled(10, 10, kParent);
  parent.Pixel(3, 2) = {0, 0, 0, 255};
  const TsBgSource bg = MakeBgSource(&parent, 2, 1);  // rect's top-left sits at (2, 1)

  EXPECT_TRUE(SameBitmap(Paint(*PanelModel(Plain(0)), bg), Expected({100, 100, 100, 255}),
                         "transparency0"));

  img::Bitmap32 through = Expected(kParent);
  through.Pixel(2, 2) = {0, 0, 0, 255};
  EXPECT_TRUE(SameBitmap(Paint(*PanelModel(Plain(100)), bg), through, "transparency100"));

  // a = R(40 * 2.55) = 102: (102 * (200 - 100) + 100 * 256) >> 8 = 139, and 0 over 100 gives 60.
  img::Bitmap32 forty = Expected({139, 139, 139, 255});
  forty.Pixel(2, 2) = {60, 60, 60, 255};
  EXPECT_TRUE(SameBitmap(Paint(*PanelModel(Plain(40)), bg), forty, "transparency40"));
}

TEST(SectionBgTest, TransparencyOverAPlainParentColour) {
  TsBgSource bg;
  bg.BgColor = 0xC8C8C8;
  // MixColors(parent, own, 0.4): 0.4 * 200 + 0.6 * 100 = 140.
  EXPECT_TRUE(SameBitmap(Paint(*PanelModel(Plain(40)), bg), Expected({140, 140, 140, 255}),
                         "plain_parent40"));
  EXPECT_TRUE(SameBitmap(Paint(*PanelModel(Plain(100)), bg), Expected({200, 200, 200, 255}),
                         "plain_parent100"));
  // Without anything behind it a transparent section is painted in its own colour.
  TsBgSource nothing;
  nothing.BgColor = kKeyColor;
  EXPECT_TRUE(SameBitmap(Paint(*PanelModel(Plain(40)), nothing), Expected({100, 100, 100, 255}),
                         "nothing_behind"));
}

TEST(SectionBgTest, ParentBorderBandsShowThroughAroundItsPlainInside) {
  img::Bitmap32 parent = Filled(5, 4, {9, 9, 9, 255});
  TsBgSource bg;
  bg.Bitmap = &parent;
  bg.BgColor = 0xC8C8C8;
  bg.BorderRect = {1, 1, 0, 0};
  img::Bitmap32 expected = Expected(kParent, {0, 0, 5, 4});
  for (int i = 0; i < 5; ++i) expected.Pixel(i, 0) = {9, 9, 9, 255};
  for (int i = 0; i < 4; ++i) expected.Pixel(0, i) = {9, 9, 9, 255};
  EXPECT_TRUE(
      SameBitmap(Paint(*PanelModel(Plain(100)), bg, {0, 0, 5, 4}), expected, "border_bands"));
}

TEST(SectionBgTest, GradientIsWeightedWithTheColour) {
  TsGenState s = Plain(0);
  s.GradientPercent = 50;
  s.GradientData = "x";
  s.Gradient = {{0xC8C8C8, 0xC8C8C8, 100, 0}};
  // Half gradient (200), half colour (100).
  EXPECT_TRUE(SameBitmap(Paint(*PanelModel(s), EmptyBgSource), Expected({150, 150, 150, 255}),
                         "gradient50"));
  s.GradientPercent = 100;
  s.GradientData.clear();  // no gradient text: the colour stands in
  EXPECT_TRUE(SameBitmap(Paint(*PanelModel(s), EmptyBgSource), Expected({100, 100, 100, 255}),
                         "gradient_no_text"));
  // An image percent without any texture in the skin leaves the gradient alone, not mixed with
  // the colour standing in for the texture.
  s.ImagePercent = 30;
  s.GradientPercent = 70;
  s.GradientData = "x";
  EXPECT_TRUE(SameBitmap(Paint(*PanelModel(s), EmptyBgSource), Expected({200, 200, 200, 255}),
                         "gradient_without_texture"));
}

TEST(SectionBgTest, TiledTextureAndGradientGoThroughOnePass) {
  TsGenState s = Plain(0);
  s.ImagePercent = 30;
  s.GradientPercent = 70;
  s.GradientData = "x";
  s.Gradient = {{0x646464, 0x646464, 100, 0}};
  s.TextureIndex = 0;
  auto model = PanelModel(s);
  TsMaskData texture;
  texture.Image = std::make_shared<img::Bitmap32>(Filled(1, 1, {200, 200, 200, 0}));
  texture.SrcRect = {0, 0, 1, 1};
  texture.ImageKind = kImageTexture;
  model->ImageTable.push_back(texture);
  // weight 30 * 255 div 100 = 76: (76 * 100 + 100 * 256) >> 8 = 129.
  EXPECT_TRUE(
      SameBitmap(Paint(*model, EmptyBgSource), Expected({129, 129, 129, 255}), "single_pass"));
}

TEST(SectionBgTest, CustomColourAndUnusableInput) {
  img::Bitmap32 parent = Filled(10, 10, kParent);
  auto model = PanelModel(Plain(100));
  img::Bitmap32 target = Filled(5, 4, kBlank);
  PaintSectionBg(model.get(), 0, "PANEL", MakeBgSource(&parent, 0, 0), 0x0000FF, -1, -1, target,
                 {0, 0}, {1, 1, 4, 3}, 1);
  EXPECT_TRUE(SameBitmap(target, Expected({0, 0, 255, 255}), "custom_colour"));

  img::Bitmap32 untouched = Filled(5, 4, kBlank);
  PaintSectionBg(nullptr, 0, "PANEL", EmptyBgSource, kKeyColor, -1, -1, untouched, {}, {0, 0, 2, 2},
                 0);
  PaintSectionBg(model.get(), 1, "X", EmptyBgSource, kKeyColor, -1, -1, untouched, {}, {0, 0, 2, 2},
                 0);
  PaintSectionBg(model.get(), 0, "PANEL", EmptyBgSource, kKeyColor, -1, -1, untouched, {},
                 {3, 3, 6, 4}, 0);  // not inside the target
  EXPECT_TRUE(SameBitmap(untouched, Filled(5, 4, kBlank), "bg_nothing"));
}

TEST(SectionBgFlatTest, ReadsTheSectionsOwnNormalOrHotValues) {
  auto model = PanelModel(Plain(0));
  TsGeneralData& d = model->SectionTable[0];
  d.Color = kOwnColor;
  d.Transparency = 40;
  d.HotColor = 0x0000FF;
  d.HotTransparency = 0;
  img::Bitmap32 parent = Filled(10, 10, kParent);
  const TsBgSource bg = MakeBgSource(&parent, 0, 0);

  img::Bitmap32 normal = Filled(5, 4, kBlank), hot = Filled(5, 4, kBlank);
  PaintSectionBgFlat(model.get(), 0, bg, normal, {}, {1, 1, 4, 3}, 0);
  PaintSectionBgFlat(model.get(), 0, bg, hot, {}, {1, 1, 4, 3}, 2);
  // Weight 40 * 255 div 100 = 102, as with the per-state look.
  EXPECT_TRUE(SameBitmap(normal, Expected({139, 139, 139, 255}), "flat_normal40"));
  EXPECT_TRUE(SameBitmap(hot, Expected({0, 0, 255, 255}), "flat_hot"));

  // 100 % transparent over a parent known only by its colour: that colour.
  d.Transparency = 100;
  TsBgSource plain;
  plain.BgColor = 0xC8C8C8;
  img::Bitmap32 coloured = Filled(5, 4, kBlank);
  PaintSectionBgFlat(model.get(), 0, plain, coloured, {}, {1, 1, 4, 3}, 0);
  EXPECT_TRUE(SameBitmap(coloured, Expected(kParent), "flat_parent_colour"));
}

TEST(SectionBgAlphaTest, OpacityGoesIntoTheAlphaChannel) {
  // 100 % transparent: cleared only when the section covers the whole bitmap.
  img::Bitmap32 whole = Filled(2, 2, kParent), part = Filled(2, 2, kParent);
  PaintSectionBgAlpha(PanelModel(Plain(100)).get(), 0, 0, {0, 0, 2, 2}, kKeyColor, whole);
  PaintSectionBgAlpha(PanelModel(Plain(100)).get(), 0, 0, {0, 0, 1, 2}, kKeyColor, part);
  EXPECT_TRUE(SameBitmap(whole, Filled(2, 2, {0, 0, 0, 0}), "alpha_cleared"));
  EXPECT_TRUE(SameBitmap(part, Filled(2, 2, kParent), "alpha_partial"));

  // 40 %: over an empty bitmap the colour with alpha 60 * 255 div 100 = 153; over a picture a
  // 60 % tint, R(200 - 60 * (200 - 100) / 100) = 140, with the higher of the two alphas.
  img::Bitmap32 empty = Filled(2, 2, {0, 0, 0, 0}), picture = Filled(2, 2, {200, 200, 200, 99});
  PaintSectionBgAlpha(PanelModel(Plain(40)).get(), 0, 0, {0, 0, 2, 2}, kKeyColor, empty);
  PaintSectionBgAlpha(PanelModel(Plain(40)).get(), 0, 0, {0, 0, 2, 2}, kKeyColor, picture);
  EXPECT_TRUE(SameBitmap(empty, Filled(2, 2, {100, 100, 100, 153}), "alpha_empty40"));
  EXPECT_TRUE(SameBitmap(picture, Filled(2, 2, {140, 140, 140, 153}), "alpha_picture40"));

  img::Bitmap32 opaque = Filled(2, 2, {200, 200, 200, 99});
  PaintSectionBgAlpha(PanelModel(Plain(0)).get(), 0, 0, {0, 0, 2, 2}, kKeyColor, opaque);
  EXPECT_TRUE(SameBitmap(opaque, Filled(2, 2, {100, 100, 100, 255}), "alpha_opaque"));
}

}  // namespace
