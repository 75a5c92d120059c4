// The drawing library where a fault would spoil every skin: coverage and keying of shapes, the
// master bitmap's layout, turning frames, and text colours that must stay readable.
#include <gtest/gtest.h>

#include "tools/skingen/Atlas.h"
#include "tools/skingen/Pictures.h"

using namespace skingen;

TEST(SkingenDrawing, ShapesCoverInsideAndAntialiasTheEdge) {
  Layer l(10, 10);
  l.Fill(RoundRect(2, 2, 8, 8, 0), Solid(kWhite));
  EXPECT_FLOAT_EQ(l.At(4, 4).a, 1);
  EXPECT_FLOAT_EQ(l.At(1, 4).a, 0);
  EXPECT_FLOAT_EQ(l.At(8, 4).a, 0);
  Layer half(10, 10);
  half.Fill(RoundRect(2, 2, 7.5f, 8, 0), Solid(kWhite));
  EXPECT_NEAR(half.At(7, 4).a, 0.5f, 0.01f);
  // A rounded corner leaves its outermost pixel empty and fills the one inside.
  Layer round(12, 12);
  round.Fill(RoundRect(0, 0, 12, 12, 5), Solid(kBlack));
  EXPECT_FLOAT_EQ(round.At(0, 0).a, 0);
  EXPECT_FLOAT_EQ(round.At(3, 3).a, 1);
  EXPECT_FLOAT_EQ(round.At(6, 0).a, 1);
}

TEST(SkingenDrawing, OnlyTheOutsideOfAFrameBecomesTheKeyColour) {
  Layer rim = RimFrame({kBlack}, 4, RimMargin(4));
  img::Bitmap32 keyed = KeyedPicture(rim, true);
  int s = rim.Width();
  ASSERT_EQ(keyed.Height(), 2 * s);
  const img::TRGBAPixel key{0xFF, 0x00, 0xFF, 0x00};
  EXPECT_EQ(keyed.Pixel(0, 0), key) << "outside the rounded corner";
  EXPECT_NE(keyed.Pixel(s / 2, s / 2), key) << "the see-through middle";
  EXPECT_EQ(keyed.Pixel(s / 2, s / 2 + s).R, 254) << "its mask";
  EXPECT_EQ(keyed.Pixel(s / 2, 0 + s).R, 0) << "the rim is opaque";
  EXPECT_EQ(keyed.Pixel(0, s).R, 255) << "mask of the key pixel";
  // A real colour that equals the key is moved off it.
  Layer fuchsia(1, 1);
  fuchsia.Fill(RoundRect(0, 0, 1, 1, 0), Solid(Color{255, 0, 255}));
  EXPECT_NE(KeyedPicture(fuchsia, false).Pixel(0, 0), key);
}

TEST(SkingenDrawing, AtlasKeepsPicturesApartAndInPlace) {
  Atlas atlas(20);
  Layer a(8, 3), b(8, 3), c(5, 2);
  a.Fill(RoundRect(0, 0, 8, 3, 0), Solid(Color{10, 20, 30}));
  b.Fill(RoundRect(0, 0, 8, 3, 0), Solid(Color{40, 50, 60}));
  c.Fill(RoundRect(0, 0, 5, 2, 0), Solid(Color{70, 80, 90}));
  Rect ra = atlas.Add(a, false), rb = atlas.Add(b, false), rc = atlas.Add(c, true);
  EXPECT_EQ(ra.top, rb.top);
  EXPECT_GT(rb.left, ra.right) << "a key-colour gap between neighbours";
  EXPECT_GT(rc.top, ra.bottom) << "a full shelf starts the next one";
  EXPECT_EQ(rc.Height(), 4) << "image and mask bands";
  img::Bitmap32 master = atlas.Build();
  EXPECT_EQ(master.Pixel(rb.left, rb.top).R, 40);
  EXPECT_EQ(master.Pixel(rc.left + 4, rc.top + 1).R, 70);
  EXPECT_EQ(master.Pixel(rc.left, rc.top + 2).R, 0) << "opaque mask";
  EXPECT_EQ(master.Pixel(ra.right, ra.top), (img::TRGBAPixel{0xFF, 0, 0xFF, 0}));
  EXPECT_THROW(atlas.Add(Layer(19, 1), false), std::runtime_error);
}

TEST(SkingenDrawing, TurnedFramesKeepTheirPixels) {
  Layer l(3, 2);
  l.At(0, 0) = Premultiplied(kWhite);
  Layer right = Rotate(l, 1);
  ASSERT_EQ(right.Width(), 2);
  ASSERT_EQ(right.Height(), 3);
  EXPECT_FLOAT_EQ(right.At(1, 0).a, 1) << "top-left goes to top-right";
  EXPECT_FLOAT_EQ(Rotate(l, 2).At(2, 1).a, 1);
  EXPECT_FLOAT_EQ(Rotate(l, 3).At(0, 2).a, 1);
  EXPECT_FLOAT_EQ(FlipVertical(l).At(0, 1).a, 1);
}

TEST(SkingenDrawing, ReadableTextReachesTheContrast) {
  const Color backgrounds[] = {kWhite,
                               kBlack,
                               {0x77, 0x77, 0x77},
                               {0x2F, 0x6F, 0xD0},
                               {0xFF, 0xFF, 0x00},
                               {0xD9, 0x3A, 0x32}};
  for (Color bg : backgrounds)
    for (Color text : backgrounds) EXPECT_GE(Contrast(Readable(text, {bg}), bg), 4.5);
  // Already readable text is kept as it is.
  EXPECT_EQ(Readable(kBlack, {kWhite}), kBlack);
  EXPECT_NEAR(Contrast(kWhite, kBlack), 21, 1e-9);
}
