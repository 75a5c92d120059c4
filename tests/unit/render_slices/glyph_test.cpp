// State glyphs: keyed copies over the background, the dimmed half-and-half blend, masked glyphs
// in both modes, pictures of their own and clipping.
#include <gtest/gtest.h>

#include <memory>

#include "SliceFixture.h"
#include "skin/render/sMaskSlices.h"

namespace slices_test {
namespace {

constexpr TRGBAPixel kGrey200{200, 200, 200, 0};

TEST(StateGlyphTest, NormalModeShowsTheBackgroundThroughKeyPixels) {
  TSliceSkin skin = MakeSkin(3, 3, 2, 0, 0, 0);
  skin.Image(0, 0, 1) = kKey;
  img::Bitmap32 back = Paper(8, 8, {1, 2, 3, 4});
  back.Pixel(4, 3) = {5, 6, 7, 8};
  img::Bitmap32 target = Paper(5, 5);
  PaintStateGlyph(target, {1, 1}, 1, MakeBgSource(&back, 3, 2), skin.Entry, 1);
  EXPECT_EQ(target.Pixel(1, 1), (TRGBAPixel{5, 6, 7, 8}));
  EXPECT_EQ(target.Pixel(2, 1), skin.Image(1, 0, 1));
  EXPECT_EQ(target.Pixel(3, 3), skin.Image(2, 2, 1));
  EXPECT_EQ(target.Pixel(4, 4), kPaper);

  // States past the last frame use the last one; negative ones the first.
  PaintStateGlyph(target, {1, 1}, 7, EmptyBgSource, skin.Entry, 1);
  EXPECT_EQ(target.Pixel(2, 2), skin.Image(1, 1, 1));
  PaintStateGlyph(target, {1, 1}, -3, EmptyBgSource, skin.Entry, 1);
  EXPECT_EQ(target.Pixel(2, 2), skin.Image(1, 1, 0));
}

TEST(StateGlyphTest, DimmedModeBlendsHalfRoundingToEven) {
  TSliceSkin skin = MakeSkin(2, 1, 1, 0, 0, 0);
  skin.Image(0, 0) = {201, 203, 5, 0};
  skin.Image(1, 0) = kKey;
  img::Bitmap32 target = Paper(2, 1, {100, 100, 10, 77});
  PaintStateGlyph(target, {0, 0}, 0, EmptyBgSource, skin.Entry, 0);
  // S - (S - D) / 2: 150.5, 151.5 and 7.5 go to the even neighbour.
  EXPECT_EQ(target.Pixel(0, 0), (TRGBAPixel{150, 152, 8, 77}));
  EXPECT_EQ(target.Pixel(1, 0), (TRGBAPixel{100, 100, 10, 77}));
}

TEST(StateGlyphTest, MaskedGlyphsInBothModes) {
  TSliceSkin skin = MakeSkin(2, 2, 1, 1, 0, 0);
  skin.Image(0, 0) = kGrey200;
  skin.Image(1, 0) = kGrey200;
  skin.Mask(1, 0) = {0, 0, 255, 0};  // red 255: not drawn at all
  skin.Image(0, 1) = kKey;
  skin.Image(1, 1) = kGrey200;
  skin.Mask(1, 1) = {50, 50, 100, 0};
  auto paint = [&](int mode, uint8_t alpha) {
    img::Bitmap32 target = Paper(2, 2, {90, 90, 90, alpha});
    PaintStateGlyph(target, {0, 0}, 0, EmptyBgSource, skin.Entry, mode);
    return target;
  };
  const img::Bitmap32 normal = paint(1, 0);
  EXPECT_EQ(normal.Pixel(0, 0), (TRGBAPixel{200, 200, 200, 254}));
  EXPECT_EQ(normal.Pixel(1, 0), (TRGBAPixel{90, 90, 90, 0}));
  EXPECT_EQ(normal.Pixel(0, 1), (TRGBAPixel{90, 90, 90, 0}));
  // ((90 - 200) * 50 + 200 * 256) >> 8, red with 100; alpha 100 + (155 * 155 >> 8).
  EXPECT_EQ(paint(1, 100).Pixel(1, 1), (TRGBAPixel{178, 178, 157, 193}));
  // Dimmed: the mask lifted by 100.
  EXPECT_EQ(paint(2, 0).Pixel(0, 0), (TRGBAPixel{157, 157, 157, 254}));
}

TEST(StateGlyphTest, OwnPicturesMustHoldTheWholeEntry) {
  TSliceSkin skin = MakeSkin(2, 2, 1, 0, 0, 0);
  auto own = std::make_shared<img::Bitmap32>(skin.Master());
  own->Pixel(1, 1) = {9, 9, 9, 9};
  own->Pixel(2, 1) = kKey;
  skin.Entry.Image = own;
  img::Bitmap32 target = Paper(2, 2);
  PaintStateGlyph(target, {0, 0}, 0, EmptyBgSource, skin.Entry, 1);
  EXPECT_EQ(target.Pixel(0, 0), (TRGBAPixel{9, 9, 9, 9}));
  EXPECT_EQ(target.Pixel(1, 0), kPaper);  // key pixel, no background

  *own = img::Bitmap32(2, 2);  // smaller than the entry's rectangle
  target.Fill(kPaper);
  PaintStateGlyph(target, {0, 0}, 0, EmptyBgSource, skin.Entry, 1);
  EXPECT_TRUE(AllPixels(target, kPaper));
}

TEST(StateGlyphTest, ClipsAndRefusesUnusableEntries) {
  TSliceSkin skin = MakeSkin(3, 3, 1, 0, 0, 0);
  img::Bitmap32 target = Paper(2, 2);
  PaintStateGlyph(target, {-1, -1}, 0, EmptyBgSource, skin.Entry, 1);
  EXPECT_EQ(target.Pixel(0, 0), skin.Image(1, 1));
  EXPECT_EQ(target.Pixel(1, 1), skin.Image(2, 2));

  for (auto spoil :
       {+[](TsMaskData& e) { e.Owner = nullptr; }, +[](TsMaskData& e) { e.StateCount = 0; },
        +[](TsMaskData& e) { e.MaskRows = -1; }}) {
    TsMaskData entry = skin.Entry;
    spoil(entry);
    img::Bitmap32 t = Paper(3, 3);
    PaintStateGlyph(t, {0, 0}, 0, EmptyBgSource, entry, 1);
    PaintStateGlyph(t, {0, 0}, 0, EmptyBgSource, entry, 0);
    EXPECT_TRUE(AllPixels(t, kPaper));
  }
}

}  // namespace
}  // namespace slices_test
