// The pixel rules of the slice copies: masks mixed with exact integer arithmetic, key pixels of
// corners over the background in its three forms, and alpha targets.
#include <gtest/gtest.h>

#include "SliceFixture.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSliceCopy.h"

namespace slices_test {
namespace {

constexpr TRGBAPixel kGrey200{200, 200, 200, 0};
constexpr TRGBAPixel kBack{11, 22, 33, 44};

// A 2 x 2 picture over its 2 x 2 mask in one bitmap.
img::Bitmap32 PictureOverMask(TRGBAPixel image, TRGBAPixel mask) {
  img::Bitmap32 b(2, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 2; ++x) b.Pixel(x, y) = y < 2 ? image : mask;
  return b;
}

TEST(MaskedCopyTest, OpaqueMixesEachChannelByItsMask) {
  img::Bitmap32 source = PictureOverMask(kGrey200, {64, 128, 255, 0});
  img::Bitmap32 target = Paper(2, 2, {90, 90, 90, 7});
  CopyMaskedOpaque(target, 0, 0, source, {0, 0, 2, 2}, 2, EmptyBgSource, false);
  // (90 * K + 200 * (256 - K)) >> 8 for K = 64, 128, 255; alpha kept without a background.
  EXPECT_EQ(target.Pixel(1, 1), (TRGBAPixel{172, 145, 90, 7}));

  target.Fill({90, 90, 90, 7});
  TsBgSource plain = MakeBgSource(nullptr, 0, 0);
  CopyMaskedOpaque(target, 0, 0, source, {0, 0, 2, 2}, 2, plain, false);
  EXPECT_EQ(target.Pixel(0, 0), (TRGBAPixel{172, 145, 90, 255}));
}

TEST(MaskedCopyTest, OpaqueKeyPixelsFollowTheBackground) {
  img::Bitmap32 source = PictureOverMask(kGrey200, {0, 0, 0, 0});
  source.Pixel(0, 0) = kKey;
  source.Pixel(1, 0) = kKey;
  img::Bitmap32 back = Paper(3, 3, kBack);
  auto copy = [&](const TsBgSource& bg, bool fill) {
    img::Bitmap32 target = Paper(2, 2, {90, 90, 90, 7});
    CopyMaskedOpaque(target, 0, 0, source, {0, 0, 2, 2}, 2, bg, fill);
    return target;
  };
  // Background picture: key pixels take its colour where it reaches, and the others are left.
  img::Bitmap32 t = copy(MakeBgSource(&back, 2, 0), true);
  EXPECT_EQ(t.Pixel(0, 0), (TRGBAPixel{11, 22, 33, 255}));
  EXPECT_EQ(t.Pixel(1, 0), (TRGBAPixel{90, 90, 90, 7}));
  EXPECT_EQ(t.Pixel(0, 1), (TRGBAPixel{200, 200, 200, 255}));
  // Without the flag key pixels are mixed like any other.
  EXPECT_EQ(copy(MakeBgSource(&back, 0, 0), false).Pixel(0, 0), (TRGBAPixel{255, 0, 255, 255}));

  TsBgSource colour = EmptyBgSource;
  colour.BgColor = 0x40112233;  // the top byte becomes alpha
  EXPECT_EQ(copy(colour, true).Pixel(0, 0), (TRGBAPixel{0x11, 0x22, 0x33, 0x40}));
  EXPECT_EQ(copy(colour, false).Pixel(0, 0), (TRGBAPixel{90, 90, 90, 7}));
  colour.BgColor = kKeyColor;  // no colour: what was there stays
  EXPECT_EQ(copy(colour, true).Pixel(0, 0), (TRGBAPixel{90, 90, 90, 7}));
}

TEST(MaskedCopyTest, AlphaMixesByRedAndRaisesAlpha) {
  img::Bitmap32 source = PictureOverMask(kGrey200, {0, 0, 64, 0});
  source.Pixel(1, 0) = kKey;
  source.Pixel(1, 1) = kKey;
  img::Bitmap32 back = Paper(2, 1, kBack);
  img::Bitmap32 target = Paper(2, 2, {90, 90, 90, 100});
  CopyMaskedAlpha(target, 0, 0, source, {0, 0, 2, 2}, 2, MakeBgSource(&back, 0, 0));
  // (90 * 64 + 200 * 191) >> 8 and max(100, 255 - 64).
  EXPECT_EQ(target.Pixel(0, 0), (TRGBAPixel{171, 171, 171, 191}));
  EXPECT_EQ(target.Pixel(1, 0), kBack);
  EXPECT_EQ(target.Pixel(1, 1), (TRGBAPixel{90, 90, 90, 100}));  // below the background's rows

  target.Fill({90, 90, 90, 100});
  CopyMaskedAlpha(target, 0, 0, source, {0, 0, 2, 2}, 2, EmptyBgSource);
  EXPECT_EQ(target.Pixel(1, 0), (TRGBAPixel{90, 90, 90, 0}));
}

TEST(KeyedCopyTest, KeyPixelsInEachKindOfBackground) {
  img::Bitmap32 source(2, 1);
  source.Pixel(0, 0) = {1, 2, 3, 4};
  source.Pixel(1, 0) = kKey;
  img::Bitmap32 back = Paper(2, 1, kBack);
  auto copy = [&](const TsBgSource& bg, bool fill) {
    img::Bitmap32 target = Paper(2, 1);
    CopyKeyed(target, 0, 0, source, {0, 0, 2, 1}, bg, fill);
    return target;
  };
  img::Bitmap32 t = copy(MakeBgSource(&back, 0, 0), true);
  EXPECT_EQ(t.Pixel(0, 0), (TRGBAPixel{1, 2, 3, 4}));
  EXPECT_EQ(t.Pixel(1, 0), kBack);
  EXPECT_EQ(copy(MakeBgSource(&back, 1, 0), true).Pixel(1, 0), kPaper);  // beyond the picture
  EXPECT_EQ(copy(MakeBgSource(&back, 0, 0), false).Pixel(1, 0), kPaper);
  TsBgSource colour = EmptyBgSource;
  colour.BgColor = 0x112233;
  EXPECT_EQ(copy(colour, false).Pixel(1, 0), (TRGBAPixel{0x11, 0x22, 0x33, 0}));

  // Into the background picture itself: key pixels stay, the others become opaque.
  img::Bitmap32 self = Paper(2, 1);
  CopyKeyed(self, 0, 0, source, {0, 0, 2, 1}, MakeBgSource(&self, 0, 0), true);
  EXPECT_EQ(self.Pixel(0, 0), (TRGBAPixel{1, 2, 3, 255}));
  EXPECT_EQ(self.Pixel(1, 0), kPaper);
}

TEST(SliceCopyTest, BlocksAreClippedAgainstBothBitmaps) {
  img::Bitmap32 source(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) source.Pixel(x, y) = {uint8_t(x), uint8_t(y), 0, 0};
  img::Bitmap32 target = Paper(3, 3);
  CopyBlock(target, -1, -2, source, {1, 0, 5, 4});  // one column past the source too
  EXPECT_EQ(target.Pixel(0, 0), (TRGBAPixel{2, 2, 0, 0}));
  EXPECT_EQ(target.Pixel(1, 1), (TRGBAPixel{3, 3, 0, 0}));
  EXPECT_EQ(target.Pixel(2, 0), kPaper);
  EXPECT_EQ(target.Pixel(0, 2), kPaper);

  const TSliceBlock none = ClipSliceBlock(target, INT32_MAX, 0, source, {0, 0, 4, 4});
  EXPECT_TRUE(none.Empty());
  // A mask below the source's bottom is read from the last rows instead.
  img::Bitmap32 masked = PictureOverMask(kGrey200, {255, 255, 255, 0});
  CopyMaskedOpaque(target, 0, 0, masked, {0, 2, 2, 4}, 2, EmptyBgSource, false);
  EXPECT_EQ(target.Pixel(0, 0), (TRGBAPixel{2, 2, 0, 0}));
}

// The top-left pixel of a 3 x 3 element at (1, 1) whose corner pixel is key, painted over a
// target of {90, 90, 90, 7}; the background picture has {5, 6, 7, 8} behind that pixel.
TRGBAPixel KeyCorner(int maskRows, const TsBgSource& bg, bool fill, int cornerTransparency = 1) {
  TSliceSkin skin = MakeSkin(4, 4, 1, maskRows, 1, 0);
  skin.Image(0, 0) = kKey;
  skin.Entry.CornerTransparency = cornerTransparency;
  img::Bitmap32 target = Paper(4, 4, {90, 90, 90, 7});
  PaintMaskSlices(target, {1, 1, 4, 4}, skin.Entry, 0, bg, fill);
  return target.Pixel(1, 1);
}

// Nine-slice corners: their key pixels show the background only with fill-corners and
// transparent corners.
TEST(CornerKeyTest, KeyPixelsOverEachKindOfBackground) {
  img::Bitmap32 back = Paper(8, 8, kBack);
  back.Pixel(3, 2) = {5, 6, 7, 8};
  const TsBgSource picture = MakeBgSource(&back, 2, 1);
  TsBgSource colour = EmptyBgSource;
  colour.BgColor = 0x112233;
  TsBgSource none = EmptyBgSource;
  none.BgColor = kKeyColor;
  const TRGBAPixel kept{90, 90, 90, 7};

  EXPECT_EQ(KeyCorner(0, picture, true), (TRGBAPixel{5, 6, 7, 8}));
  EXPECT_EQ(KeyCorner(0, picture, false), kept);
  EXPECT_EQ(KeyCorner(0, picture, true, 0), kept);
  EXPECT_EQ(KeyCorner(0, colour, true), (TRGBAPixel{0x11, 0x22, 0x33, 0}));
  EXPECT_EQ(KeyCorner(0, none, true), kept);

  EXPECT_EQ(KeyCorner(1, picture, true), (TRGBAPixel{5, 6, 7, 255}));
  EXPECT_EQ(KeyCorner(1, colour, true), (TRGBAPixel{0x11, 0x22, 0x33, 0}));
  EXPECT_EQ(KeyCorner(1, none, true), kept);
}

TEST(MaskRowsTest, EdgesAndCentreMixByTheMaskBand) {
  TSliceSkin skin = MakeSkin(6, 6, 1, 1, 2, 4);
  skin.Image(2, 0) = kGrey200;
  skin.Mask(2, 0) = {64, 64, 64, 0};
  skin.Image(3, 0) = kKey;  // skipped in tiles without a background
  img::Bitmap32 target = Paper(6, 6, {90, 90, 90, 7});
  PaintMaskSlices(target, {0, 0, 6, 6}, skin.Entry, 0, EmptyBgSource, true);
  EXPECT_EQ(target.Pixel(2, 0), (TRGBAPixel{172, 172, 172, 7}));
  EXPECT_EQ(target.Pixel(3, 0), (TRGBAPixel{90, 90, 90, 7}));
  EXPECT_EQ(target.Pixel(3, 3),
            (TRGBAPixel{FramePixel(3, 3, 0).B, FramePixel(3, 3, 0).G, FramePixel(3, 3, 0).R, 7}));
}

TEST(MaskRowsTest, MoreBandsReadTheMaskFromTheSecondBand) {
  TSliceSkin skin = MakeSkin(4, 4, 1, 2, 1, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      skin.Image(x, y + 4) = {0, 0, 0, 0};        // the mask: all picture
      skin.Image(x, y + 8) = {255, 255, 255, 0};  // the third band must not count
    }
  img::Bitmap32 target = Paper(4, 4);
  PaintMaskSlices(target, {0, 0, 4, 4}, skin.Entry, 0, EmptyBgSource, false);
  EXPECT_EQ(target.Pixel(3, 3).B, FramePixel(3, 3, 0).B);
  EXPECT_EQ(target.Pixel(0, 0).G, FramePixel(0, 0, 0).G);
}

TEST(AlphaSlicesTest, CornersFromTheBackgroundTilesClearAlpha) {
  TSliceSkin skin = MakeSkin(4, 4, 1, 1, 1, 4);
  skin.Image(0, 0) = kKey;  // corner
  skin.Image(1, 1) = kKey;  // centre tile
  skin.Image(1, 0) = kGrey200;
  skin.Mask(1, 0) = {0, 0, 64, 0};
  img::Bitmap32 back = Paper(4, 4, kBack);
  img::Bitmap32 target = Paper(4, 4, {90, 90, 90, 100});
  PaintMaskSlicesAlpha(target, {0, 0, 4, 4}, skin.Entry, 0, MakeBgSource(&back, 0, 0));
  EXPECT_EQ(target.Pixel(0, 0), kBack);
  EXPECT_EQ(target.Pixel(1, 1), (TRGBAPixel{90, 90, 90, 0}));
  EXPECT_EQ(target.Pixel(1, 0), (TRGBAPixel{171, 171, 171, 191}));

  TSliceSkin plain = MakeSkin(4, 4, 1, 0, 1, 4);
  plain.Image(0, 0) = kKey;
  target.Fill(kPaper);
  PaintMaskSlicesAlpha(target, {0, 0, 4, 4}, plain.Entry, 0, MakeBgSource(&back, 0, 0));
  EXPECT_EQ(target.Pixel(0, 0), kBack);  // filled even though the corners are not marked
}

}  // namespace
}  // namespace slices_test
