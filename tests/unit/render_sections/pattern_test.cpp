// Textures: every fill mode with the part it leaves uncovered, the package's texture pictures, and
// masked textures blending through their masks and showing what lies behind their key pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Golden.h"
#include "SectionFixtures.h"
#include "skin/render/sPattern.h"

namespace {

using namespace sections_test;

constexpr img::TRGBAPixel kBlank{60, 60, 60, 255};

TEST(PatternTest, EveryFillModeAndWhatItLeavesUncovered) {
  // One 10 x 7 cell per mode, the painted rectangle (1, 1, 9, 6) inside it: 8 x 5 against the
  // 3 x 2 texture, so every mode ends in partial tiles.
  struct Case {
    int mode;
    TRect uncovered;  // relative to the cell
  };
  const std::vector<Case> cases = {
      {fmTile, kAllCovered},
      {fmStretch, kAllCovered},
      {fmTileTop, {1, 3, 9, 6}},
      {fmTileLeft, {4, 1, 9, 6}},
      {fmStretchTop, {1, 3, 9, 6}},
      {fmStretchLeft, {4, 1, 9, 6}},
      {fmTileBottom, {1, 1, 9, 4}},
      {fmTileRight, {1, 1, 6, 6}},
      {fmTileFull, {1, 5, 9, 6}},  // the band below the whole rows, handed back uncovered
      {8, {6, 1, 9, 6}},           // past the named modes: a right column, handed back uncovered
  };
  img::Bitmap32 sheet = Filled(10 * int(cases.size()), 7, kBlank);
  for (size_t i = 0; i < cases.size(); ++i) {
    const int dx = 10 * int(i);
    TRect rect{dx + 1, 1, dx + 9, 6};
    const TsMaskData entry = TextureEntry(cases[i].mode);
    PaintPattern(sheet, rect, nullptr, entry.PaintFlags, &entry);
    TRect expected = cases[i].uncovered;
    if (expected != kAllCovered) expected.Left += dx, expected.Right += dx;
    EXPECT_EQ(rect, expected) << "mode " << cases[i].mode;
  }
  ExpectGolden(sheet, "sections_pattern_modes");

  // Tiles start at the rectangle's corner; bottom and right rows meet the rectangle's edge.
  for (int y = 1; y < 6; ++y)
    for (int x = 1; x < 9; ++x) ASSERT_EQ(sheet.Pixel(x, y), TileAt(x, y, 1, 1)) << x << "," << y;
  EXPECT_EQ(sheet.Pixel(60 + 1, 5), kYellow);  // fmTileBottom: the texture's lower row last
  EXPECT_EQ(sheet.Pixel(70 + 8, 1), kBlue);    // fmTileRight: its right column last
  EXPECT_EQ(sheet.Pixel(80 + 1, 5), kBlank);   // fmTileFull: the uncovered band is left alone
}

TEST(PatternTest, FullTilingReportsTheBandBelowTheWholeRowsUncovered) {
  img::Bitmap32 target = Filled(6, 5, kBlank);
  const TsMaskData full = TextureEntry(fmTileFull);
  TRect rect{0, 1, 6, 3};  // one tile high
  PaintPattern(target, rect, nullptr, fmTileFull, &full);
  EXPECT_EQ(rect, (TRect{0, 1, 6, 3}));
  EXPECT_EQ(target.Pixel(0, 1), kBlank);

  rect = {0, 0, 6, 4};
  PaintPattern(target, rect, nullptr, fmTileFull, &full);
  EXPECT_EQ(rect, (TRect{0, 2, 6, 4}));
  EXPECT_EQ(target.Pixel(0, 1), TileAt(0, 1));

  rect = {0, 0, 6, 3};
  PaintPattern(target, rect, nullptr, fmTileFull, &full);
  EXPECT_EQ(rect, (TRect{0, 2, 6, 3}));
}

TEST(PatternTest, StripsShorterThanTheImageStayInsideTheRectangle) {
  img::Bitmap32 target = Filled(6, 5, kBlank);
  TRect rect{0, 2, 6, 3};  // one row
  const TsMaskData bottom = TextureEntry(fmTileBottom);
  PaintPattern(target, rect, nullptr, fmTileBottom, &bottom);
  EXPECT_EQ(rect, kAllCovered);
  EXPECT_EQ(target.Pixel(0, 2), kYellow);  // the image's bottom row at the rectangle's bottom
  EXPECT_EQ(target.Pixel(0, 1), kBlank);
  EXPECT_EQ(target.Pixel(0, 3), kBlank);

  TRect narrow{2, 0, 4, 5};
  const TsMaskData top = TextureEntry(fmStretchTop);
  PaintPattern(target, narrow, nullptr, fmStretchTop, &top);
  EXPECT_EQ(narrow, (TRect{2, 2, 4, 5}));
  EXPECT_EQ(target.Pixel(1, 0), kBlank);
  EXPECT_EQ(target.Pixel(4, 0), kBlank);
}

TEST(PatternTest, APackageTexturePictureIsTiledOverEverything) {
  img::Bitmap32 target = Filled(5, 5, kBlank);
  const img::Bitmap32 picture = Texture();
  TRect rect{1, 0, 5, 5};
  const TsMaskData entry = TextureEntry(fmTileTop);
  PaintPattern(target, rect, &picture, fmTileTop, &entry);
  EXPECT_EQ(rect, kAllCovered);
  for (int y = 0; y < 5; ++y)
    for (int x = 1; x < 5; ++x) ASSERT_EQ(target.Pixel(x, y), TileAt(x, y, 1, 0));

  // An empty picture falls back to the entry; with neither, everything stays uncovered.
  const img::Bitmap32 empty;
  TRect again{0, 0, 2, 2};
  PaintPattern(target, again, &empty, fmTile, nullptr);
  EXPECT_EQ(again, (TRect{0, 0, 2, 2}));
}

TEST(PatternTest, UnusableTexturesPaintNothingAndLeaveAllUncovered) {
  const img::Bitmap32 before = Filled(4, 3, kBlank);
  TsMaskData noPicture = TextureEntry(fmTile);
  noPicture.Image = nullptr;  // and no owner
  TsMaskData outside = TextureEntry(fmTile);
  outside.SrcRect = {5, 5, 8, 8};
  TsMaskData unknown = TextureEntry(15);
  for (const TsMaskData* entry : {&noPicture, &outside, &unknown}) {
    img::Bitmap32 target = before;
    TRect rect{0, 0, 4, 3};
    PaintPattern(target, rect, nullptr, entry->PaintFlags, entry);
    EXPECT_EQ(rect, (TRect{0, 0, 4, 3}));
    EXPECT_EQ(0, std::memcmp(target.Row(0), before.Row(0), before.PixelCount() * 4));
  }

  // A rectangle reaching past the target is painted where the two overlap.
  img::Bitmap32 target = before;
  TRect rect{-2, -1, 9, 9};
  const TsMaskData tile = TextureEntry(fmTile);
  PaintPattern(target, rect, nullptr, fmTile, &tile);
  EXPECT_EQ(target.Pixel(0, 0), TileAt(0, 0, -2, -1));
  EXPECT_EQ(target.Pixel(3, 2), TileAt(3, 2, -2, -1));
}

// A masked texture in a master image: a 2 x 2 picture over its 2 x 2 mask. The picture's
// top-left pixel is the key; the mask's channels are 0 (all picture), 128 and 255 (all target).
class MaskedPatternTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model_.MasterImage = Filled(2, 4, kRed);
    model_.MasterImage.Pixel(0, 0) = kKey;
    model_.MasterImage.Pixel(1, 1) = {200, 200, 200, 0};
    model_.MasterImage.Pixel(0, 3) = {0, 0, 0, 0};
    model_.MasterImage.Pixel(1, 2) = {128, 128, 128, 0};
    model_.MasterImage.Pixel(1, 3) = {128, 128, 128, 0};
    model_.MasterImage.Pixel(0, 2) = {255, 255, 255, 0};
    AddEntry(model_, {0, 0, 2, 4}, 1, 1);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) parent_.Pixel(x, y) = {uint8_t(x * 10), uint8_t(y * 10), 7, 255};
  }
  img::Bitmap32 Paint(int mode, const TsBgSource& bg, TRect& rect) {
    img::Bitmap32 target = Filled(7, 5, {100, 100, 100, 9});
    PaintMaskedPattern(target, rect, bg, mode, model_.ImageTable[0]);
    return target;
  }

  TsSkinModel model_;
  img::Bitmap32 parent_{10, 10};
};

TEST_F(MaskedPatternTest, TilesBlendByTheMaskAndKeysShowTheParent) {
  TRect rect{0, 0, 7, 5};
  const img::Bitmap32 t = Paint(fmTile, MakeBgSource(&parent_, 1, 2), rect);
  EXPECT_EQ(rect, (TRect{0, 4, 7, 5}));           // the band below the whole rows of tiles
  EXPECT_EQ(t.Pixel(0, 0), parent_.Pixel(1, 2));  // key: the parent, offsets applied
  EXPECT_EQ(t.Pixel(2, 2), parent_.Pixel(3, 4));  // the next tile's key
  EXPECT_EQ(t.Pixel(1, 0), (img::TRGBAPixel{50, 50, 150, 255}));  // mask 128 over 100
  EXPECT_EQ(t.Pixel(1, 1), (img::TRGBAPixel{150, 150, 150, 255}));
  EXPECT_EQ(t.Pixel(0, 1), (img::TRGBAPixel{0, 0, 200, 255}));  // mask 0: the picture
  EXPECT_EQ(t.Pixel(6, 1), (img::TRGBAPixel{0, 0, 200, 255}));  // the partial last column
  // Only whole rows of tiles while more than a tile is left: rows 0 to 3; row 4 is reported.
  EXPECT_EQ(t.Pixel(0, 4), (img::TRGBAPixel{100, 100, 100, 9}));
}

TEST_F(MaskedPatternTest, TilingReportsTheBandBelowTheWholeRowsUncovered) {
  TRect rect{1, 0, 7, 2};  // one tile high: no whole row while more than a tile is left
  const img::Bitmap32 t = Paint(fmTile, MakeBgSource(&parent_, 0, 0), rect);
  EXPECT_EQ(rect, (TRect{1, 0, 7, 2}));
  EXPECT_EQ(t.Pixel(1, 0), (img::TRGBAPixel{100, 100, 100, 9}));

  rect = {0, 1, 7, 4};
  Paint(fmTile, MakeBgSource(&parent_, 0, 0), rect);
  EXPECT_EQ(rect, (TRect{0, 3, 7, 4}));

  rect = {0, 0, 7, 5};
  Paint(fmTileFull, MakeBgSource(&parent_, 0, 0), rect);
  EXPECT_EQ(rect, kAllCovered);  // full tiling fills the band itself
}

TEST_F(MaskedPatternTest, FullTilingFillsTheRestWithWhatLiesBehind) {
  TRect rect{0, 0, 7, 5};
  const img::Bitmap32 t = Paint(fmTileFull, MakeBgSource(&parent_, 1, 2), rect);
  EXPECT_EQ(t.Pixel(3, 4), parent_.Pixel(4, 6));  // the band below the whole rows
  EXPECT_EQ(t.Pixel(6, 0), parent_.Pixel(7, 2));  // the last column
  EXPECT_EQ(t.Pixel(5, 0), (img::TRGBAPixel{50, 50, 150, 255}));

  TsBgSource colour;
  colour.BgColor = 0x0A141E;
  rect = {0, 0, 7, 5};
  const img::Bitmap32 c = Paint(fmTileFull, colour, rect);
  EXPECT_EQ(c.Pixel(0, 0), (img::TRGBAPixel{10, 20, 30, 0}));  // the colour as a pixel
  EXPECT_EQ(c.Pixel(3, 4), (img::TRGBAPixel{10, 20, 30, 255}));
  EXPECT_EQ(c.Pixel(1, 0), (img::TRGBAPixel{50, 50, 150, 9}));  // alpha kept without a parent
}

TEST_F(MaskedPatternTest, NothingBehindAndUnknownModes) {
  // No parent and no colour: keys and the bands keep what was there, never the key colour.
  TsBgSource nothing;
  nothing.BgColor = kKeyColor;
  TRect rect{0, 0, 7, 5};
  const img::Bitmap32 t = Paint(fmTileFull, nothing, rect);
  EXPECT_EQ(t.Pixel(0, 0), (img::TRGBAPixel{100, 100, 100, 9}));
  EXPECT_EQ(t.Pixel(3, 4), (img::TRGBAPixel{100, 100, 100, 9}));

  // Modes other than tiling paint nothing, so all of the rectangle is still to be filled.
  rect = {0, 0, 7, 5};
  const img::Bitmap32 s = Paint(fmStretch, MakeBgSource(&parent_, 0, 0), rect);
  EXPECT_EQ(rect, (TRect{0, 0, 7, 5}));
  EXPECT_EQ(s.Pixel(1, 0), (img::TRGBAPixel{100, 100, 100, 9}));
}

}  // namespace
