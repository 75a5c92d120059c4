// Whole elements: background, corner images and border in that order, states past the last,
// what lies behind showing through, texture layers of a section, and the three ways of painting
// a section into a surface, by name or with a border of the caller's choice.
#include <gtest/gtest.h>

#include <cstring>

#include "Golden.h"
#include "SectionFixtures.h"
#include "skin/render/sBackground.h"
#include "skin/render/sBlend.h"
#include "skin/render/sPattern.h"
#include "skin/data/sDefaultModel.h"
#include "skin/render/sSection.h"

namespace {

using namespace sections_test;

constexpr img::TRGBAPixel kRing0{30, 30, 30, 255}, kRing1{0, 0, 120, 255};
constexpr int32_t kNormal = 0xC8C8C8, kHot = 0xE0A080;

bool Same(const img::Bitmap32& a, const img::Bitmap32& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::memcmp(a.Row(0), b.Row(0), a.PixelCount() * 4) == 0;
}

// A parent picture in which every pixel differs from its neighbours.
img::Bitmap32 Parent(int width, int height) {
  img::Bitmap32 p(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.Pixel(x, y) = {uint8_t(40 + x * 5), uint8_t(220 - y * 6), uint8_t((x + y) % 2 * 90), 255};
  return p;
}

// The master image: a two-state 6 x 6 border ring (2 wide, key pixel at each frame's top-left,
// no centre), a 3 x 3 yellow corner image with a key top-left, and a 2 x 2 blue masked tile.
class SectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    img::Bitmap32& m = model_.MasterImage;
    m = Filled(18, 6, kKey);
    for (int frame = 0; frame < 2; ++frame) {
      FillRect(m, {frame * 6, 0, frame * 6 + 6, 6}, frame ? kRing1 : kRing0);
      FillRect(m, {frame * 6 + 2, 2, frame * 6 + 4, 4}, kKey);
      m.Pixel(frame * 6, 0) = kKey;
    }
    FillRect(m, {12, 0, 15, 3}, kYellow);
    m.Pixel(12, 0) = kKey;
    FillRect(m, {15, 0, 17, 2}, kBlue);
    FillRect(m, {15, 2, 17, 4}, {0, 0, 0, 0});  // its mask: all picture
    border_ = AddEntry(model_, {0, 0, 12, 6}, 2, 0);
    TsMaskData& b = model_.ImageTable[size_t(border_)];
    b.MarginLeft = b.MarginTop = b.MarginRight = b.MarginBottom = 2;
    b.CornerTransparency = 1;
    corner_ = AddEntry(model_, {12, 0, 15, 3}, 1, 0);
    overlay_ = AddEntry(model_, {15, 0, 17, 4}, 1, 1, fmTileFull);

    TsGeneralData panel;
    panel.SectionName = "PANEL";
    panel.StateCount = 2;
    panel.States[0].Color = kNormal;
    panel.States[1].Color = kHot;
    panel.BorderIndex = border_;
    panel.CornerIndex = {corner_, -1, -1, corner_};
    model_.SectionTable.push_back(panel);
  }

  TsGenState& Normal() { return model_.SectionTable[0].States[0]; }

  img::Bitmap32 Paint(int state, int pattern = -1) {
    img::Bitmap32 target = Filled(16, 12, {1, 2, 3, 4});
    PaintSection(&model_, 0, "PANEL", MakeBgSource(&parent_, 5, 4), pattern, -1, target, {0, 0},
                 {0, 0, 16, 12}, state);
    return target;
  }

  TsSkinModel model_;
  img::Bitmap32 parent_ = Parent(40, 30);
  int border_ = -1, corner_ = -1, overlay_ = -1;
};

TEST_F(SectionTest, BackgroundThenCornerImagesThenTheBorderOverAll) {
  const img::Bitmap32 normal = Paint(0), hot = Paint(1);
  EXPECT_EQ(normal.Pixel(0, 0), parent_.Pixel(5, 4));        // the border's key shows the parent
  EXPECT_EQ(normal.Pixel(1, 1), kRing0);                     // the border covers the corner image
  EXPECT_EQ(normal.Pixel(2, 2), kYellow);                    // the corner image outside the border
  EXPECT_EQ(normal.Pixel(13, 9), ColorPixel(kNormal, 255));  // its key shows the background
  EXPECT_EQ(normal.Pixel(14, 10), kRing0);
  EXPECT_EQ(normal.Pixel(8, 6), ColorPixel(kNormal, 255));
  EXPECT_EQ(hot.Pixel(1, 1), kRing1);
  EXPECT_EQ(hot.Pixel(8, 6), ColorPixel(kHot, 255));

  img::Bitmap32 sheet(32, 12);
  for (int y = 0; y < 12; ++y) {
    std::memcpy(sheet.Row(y), normal.Row(y), 16 * 4);
    std::memcpy(sheet.Row(y) + 16, hot.Row(y), 16 * 4);
  }
  ExpectGolden(sheet, "sections_composition");
}

TEST_F(SectionTest, StatesPastTheLastUseTheLast) {
  EXPECT_TRUE(Same(Paint(7), Paint(1)));
  EXPECT_TRUE(Same(Paint(-3), Paint(0)));
  EXPECT_FALSE(Same(Paint(0), Paint(1)));
}

TEST_F(SectionTest, UnusableInputPaintsNothing) {
  const img::Bitmap32 before = Filled(16, 12, {1, 2, 3, 4});
  const TsBgSource bg = MakeBgSource(&parent_, 0, 0);
  const TRect whole{0, 0, 16, 12};
  img::Bitmap32 t = before;
  PaintSection(nullptr, 0, "PANEL", bg, -1, -1, t, {}, whole, 0);
  PaintSection(&model_, -1, "PANEL", bg, -1, -1, t, {}, whole, 0);
  PaintSection(&model_, 1, "PANEL", bg, -1, -1, t, {}, whole, 0);
  PaintSection(&model_, 0, "PANEL", bg, -1, -1, t, {}, {4, 4, 4, 9}, 0);     // empty
  PaintSection(&model_, 0, "PANEL", bg, -1, -1, t, {}, {-1, 0, 8, 8}, 0);    // partly outside
  PaintSection(&model_, 0, "PANEL", bg, -1, -1, t, {}, {10, 6, 17, 12}, 0);  // partly outside
  PaintSectionAt(nullptr, 0, border_, -1, -1, t, {}, whole, 0, bg);
  PaintSectionAt(&model_, 3, border_, -1, -1, t, {}, whole, 0, bg);
  PaintSectionToDC(&model_, 0, "PANEL", bg, t, {}, {-1, 0, 4, 4}, 0);
  PaintSectionToDC(nullptr, 0, "PANEL", bg, t, {}, whole, 0);
  EXPECT_TRUE(Same(t, before));
  EXPECT_EQ(PaintSectionByName(nullptr, t, "PANEL", "", nullptr, whole, 0), -1);
  EXPECT_EQ(PaintSectionByName(&model_, t, "NONE", "OTHER", nullptr, whole, 0), -1);
  EXPECT_TRUE(Same(t, before));
}

// Given no skin, the painters use the default one, and paint nothing while there is none.
TEST_F(SectionTest, NoManagerMeansTheDefaultOne) {
  static const TsSkinModel* fallback = nullptr;
  SetDefaultModelLookup([] { return fallback; });
  fallback = &model_;
  const TsBgSource bg = MakeBgSource(&parent_, 5, 4);
  img::Bitmap32 section = Filled(16, 12, {1, 2, 3, 4}), at = section, byName = section;
  PaintSection(nullptr, 0, "PANEL", bg, -1, -1, section, {0, 0}, {0, 0, 16, 12}, 1);
  PaintSectionAt(nullptr, 0, border_, -1, -1, at, {}, {0, 0, 16, 12}, 0, bg);
  EXPECT_EQ(PaintSectionByName(nullptr, byName, "PANEL", "", nullptr, {}, 0), 0);
  fallback = nullptr;
  img::Bitmap32 none = Filled(16, 12, {1, 2, 3, 4});
  PaintSection(nullptr, 0, "PANEL", bg, -1, -1, none, {0, 0}, {0, 0, 16, 12}, 1);
  SetDefaultModelLookup(nullptr);
  EXPECT_TRUE(Same(section, Paint(1)));
  EXPECT_EQ(at.Pixel(1, 1), kRing0);
  EXPECT_EQ(byName.Pixel(8, 6), ColorPixel(kNormal, 255));
  EXPECT_TRUE(Same(none, Filled(16, 12, {1, 2, 3, 4})));
}

// Five looks side by side, each an 18 x 14 element painted into its own picture over the parent
// it sits in: vertical gradient, horizontal gradient weighted with the colour, 40 % and 100 %
// transparent, and a texture along the top over the colour.
TEST_F(SectionTest, LooksOverTheParentTheyAreIn) {
  model_.ImageTable.push_back(TextureEntry(fmTileLeft));
  const int textureIndex = int(model_.ImageTable.size()) - 1;
  auto look = [&](int i) {
    TsGenState s;
    s.Color = kNormal;
    switch (i) {
      case 0:
        s.GradientPercent = 100, s.GradientData = "g";
        s.Gradient = {{0x2050F0, 0xF0E0D0, 60, 0}, {0xF0E0D0, 0x204080, 40, 0}};
        break;
      case 1:
        s.GradientPercent = 60, s.GradientData = "g";
        s.Gradient = {{0x00A000, 0xA00000, 100, 1}};
        break;
      case 2:
        s.Transparency = 40;
        break;
      case 3:
        s.Transparency = 100;
        break;
      default:
        s.ImagePercent = 100, s.TextureIndex = textureIndex;
    }
    return s;
  };
  img::Bitmap32 parent = Parent(5 * 20, 16);
  img::Bitmap32 sheet = parent;
  for (int i = 0; i < 5; ++i) {
    Normal() = look(i);
    img::Bitmap32 element(18, 14);
    PaintSection(&model_, 0, "PANEL", MakeBgSource(&parent, 20 * i + 1, 1), -1, -1, element, {0, 0},
                 {0, 0, 18, 14}, 0);
    for (int y = 0; y < 14; ++y) std::memcpy(sheet.Row(y + 1) + 20 * i + 1, element.Row(y), 18 * 4);
  }
  ExpectGolden(sheet, "sections_looks");
  EXPECT_EQ(sheet.Pixel(61, 1), parent.Pixel(61, 1));  // the border's key
  EXPECT_EQ(sheet.Pixel(70, 8), parent.Pixel(70, 8));  // 100 %: the parent as it is
  // 40 %: a = R(40 * 2.55) = 102 of the parent, the rest of the colour.
  const img::TRGBAPixel p = parent.Pixel(50, 8), q = sheet.Pixel(50, 8);
  EXPECT_EQ(q.B, (102 * (p.B - 200) + 200 * 256) >> 8);
  EXPECT_EQ(q.G, (102 * (p.G - 200) + 200 * 256) >> 8);
  EXPECT_EQ(sheet.Pixel(83, 6), TileAt(2, 5));  // the texture's column, then the colour
  EXPECT_EQ(sheet.Pixel(84, 6), ColorPixel(kNormal, 255));
}

TEST_F(SectionTest, TextureLayersOfTheBackground) {
  const TRect rect{0, 0, 6, 6};
  auto paint = [&](int state, int pattern) {
    img::Bitmap32 t = Filled(6, 6, {1, 2, 3, 4});
    PaintSectionBg(&model_, 0, "PANEL", MakeBgSource(&parent_, 0, 0), kKeyColor, pattern, -1, t, {},
                   rect, state);
    return t;
  };
  // A texture along the top under a 50 % gradient: not mixed in one pass but blended, the
  // texture keeping 50 * 255 div 100 = 127 of the weight. Gradient 100, texture red, colour 200.
  model_.ImageTable.push_back(TextureEntry(fmTileTop));
  Normal().ImagePercent = 50;
  Normal().GradientPercent = 50;
  Normal().GradientData = "g";
  Normal().Gradient = {{0x646464, 0x646464, 100, 0}};
  const img::Bitmap32 mixed = paint(0, int(model_.ImageTable.size()) - 1);
  EXPECT_EQ(mixed.Pixel(0, 0), (img::TRGBAPixel{50, 50, 149, 255}));
  EXPECT_EQ(mixed.Pixel(0, 5), (img::TRGBAPixel{149, 149, 149, 255}));

  // An image percent with no texture anywhere in the skin: the colour, not what was there.
  Normal() = TsGenState{};
  Normal().Color = kNormal;
  Normal().ImagePercent = 100;
  EXPECT_EQ(paint(0, -1).Pixel(3, 3), ColorPixel(kNormal, 255));

  // The section's own hot values take the texture given for the hot state.
  model_.SectionTable[0].HotImagePercent = 100;
  model_.SectionTable[0].HotColor = kHot;
  img::Bitmap32 flat = Filled(6, 6, {1, 2, 3, 4});
  PaintSectionBgFlat(&model_, 0, MakeBgSource(&parent_, 0, 0), flat, {}, rect, 1, -1,
                     int(model_.ImageTable.size()) - 1);
  EXPECT_EQ(flat.Pixel(0, 0), kRed);
  EXPECT_EQ(flat.Pixel(0, 5), ColorPixel(kHot, 255));

  // A masked full-tiling texture given for the normal state lies over the finished background.
  EXPECT_EQ(paint(0, overlay_).Pixel(3, 3), kBlue);
  EXPECT_EQ(paint(1, overlay_).Pixel(3, 3), ColorPixel(kHot, 255));
}

TEST_F(SectionTest, TheBandBelowWholeRowsOfTilesGetsTheColour) {
  const int masked = AddEntry(model_, {15, 0, 17, 4}, 1, 1, fmTile);
  model_.ImageTable.push_back(TextureEntry(fmTileFull));
  const int plain = int(model_.ImageTable.size()) - 1;
  auto paint = [&](int texture, int transparency) {
    Normal().TextureIndex = texture;
    Normal().ImagePercent = texture < 0 ? 0 : 100;
    Normal().Transparency = transparency;
    img::Bitmap32 t = Filled(16, 12, {1, 2, 3, 4});
    PaintSectionBg(&model_, 0, "PANEL", MakeBgSource(&parent_, 0, 0), kKeyColor, -1, -1, t, {},
                   {0, 0, 16, 11}, 0);
    return t;
  };
  for (int transparency : {0, 40}) {
    const img::Bitmap32 colour = paint(-1, transparency);
    for (int texture : {masked, plain}) {
      const img::Bitmap32 t = paint(texture, transparency);
      EXPECT_EQ(t.Pixel(3, 10), colour.Pixel(3, 10)) << texture << " " << transparency;
      EXPECT_NE(t.Pixel(3, 9), colour.Pixel(3, 9)) << texture << " " << transparency;
      EXPECT_EQ(t.Pixel(3, 11), (img::TRGBAPixel{1, 2, 3, 4}));
    }
  }
  EXPECT_EQ(paint(masked, 0).Pixel(3, 10), ColorPixel(kNormal, 255));
}

TEST_F(SectionTest, IntoASurfaceARectangleTooLargeToPaintIsCutBeforeTheElementIsMade) {
  Normal().Transparency = 100;
  const TsBgSource bg = MakeBgSource(&parent_, 0, 0);
  img::Bitmap32 expected = Filled(20, 20, {9, 9, 9, 255});
  PaintSectionToDC(&model_, 0, "PANEL", bg, expected, {3, 2}, {3, 2, 20, 20}, 0);
  img::Bitmap32 surface = Filled(20, 20, {9, 9, 9, 255});
  EXPECT_NO_THROW(PaintSectionToDC(&model_, 0, "PANEL", bg, surface, {3, 2},
                                   {3, 2, 2000000000, 2000000000}, 0));
  EXPECT_EQ(0, std::memcmp(surface.Row(0), expected.Row(0), expected.PixelCount() * 4));
  // Wholly past the surface: nothing is made and nothing painted.
  EXPECT_NO_THROW(
      PaintSectionToDC(&model_, 0, "PANEL", bg, surface, {}, {25, 0, 2000000000, 9}, 0));
  EXPECT_EQ(0, std::memcmp(surface.Row(0), expected.Row(0), expected.PixelCount() * 4));
}

TEST_F(SectionTest, IntoASurfaceByNameAndWithAChosenBorder) {
  Normal().Transparency = 100;
  // Into a surface at a rectangle, over the parent at the same place.
  img::Bitmap32 surface = Filled(20, 20, {9, 9, 9, 255});
  PaintSectionToDC(&model_, 0, "PANEL", MakeBgSource(&parent_, 0, 0), surface, {14, 12},
                   {14, 12, 30, 24}, 0);
  EXPECT_EQ(surface.Pixel(13, 15), (img::TRGBAPixel{9, 9, 9, 255}));
  EXPECT_EQ(surface.Pixel(14, 12), parent_.Pixel(14, 12));  // the border's key
  EXPECT_EQ(surface.Pixel(16, 16), parent_.Pixel(16, 16));  // see-through inside
  EXPECT_EQ(surface.Pixel(19, 19), parent_.Pixel(19, 19));  // cut at the surface's edge

  // By name, falling back to the second name; the parent's pixels at rect show through.
  img::Bitmap32 target = Filled(16, 12, {1, 2, 3, 4});
  EXPECT_EQ(PaintSectionByName(&model_, target, "NONE", "PANEL", &parent_, {3, 2, 9, 9}, 0), 0);
  EXPECT_EQ(target.Pixel(8, 6), parent_.Pixel(3 + 8, 2 + 6));
  // Without a parent there is nothing to show: the section's own colour.
  EXPECT_EQ(PaintSectionByName(&model_, target, "PANEL", "", nullptr, {}, 0), 0);
  EXPECT_EQ(target.Pixel(8, 6), ColorPixel(kNormal, 255));

  // The section's own hot values under the border the caller names.
  model_.SectionTable[0].HotColor = 0x102030;
  img::Bitmap32 at = Filled(16, 12, {1, 2, 3, 4});
  PaintSectionAt(&model_, 0, border_, -1, -1, at, {}, {0, 0, 16, 12}, 5,
                 MakeBgSource(&parent_, 5, 4));
  EXPECT_EQ(at.Pixel(8, 6), ColorPixel(0x102030, 255));
  EXPECT_EQ(at.Pixel(1, 1), kRing1);
  EXPECT_EQ(at.Pixel(0, 0), parent_.Pixel(5, 4));
}

}  // namespace
