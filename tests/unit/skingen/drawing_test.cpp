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

namespace {

// The centre of a layer's coverage.
std::pair<float, float> Centroid(const Layer& l) {
  float sx = 0, sy = 0, sum = 0;
  for (int y = 0; y < l.Height(); ++y)
    for (int x = 0; x < l.Width(); ++x) {
      float a = l.At(x, y).a;
      sx += a * (x + 0.5f), sy += a * (y + 0.5f), sum += a;
    }
  return sum > 0 ? std::pair{sx / sum, sy / sum} : std::pair{-1.0f, -1.0f};
}

}  // namespace

TEST(SkingenDrawing, ArrowsPointWhereTheySay) {
  // An arrow's mass lies behind its tip: a down arrow is heavier at the top.
  struct Case {
    Direction d;
    float dx, dy;
  };
  for (Case c : {Case{Direction::Up, 0, 1}, Case{Direction::Down, 0, -1},
                 Case{Direction::Left, 1, 0}, Case{Direction::Right, -1, 0}}) {
    for (bool triangle : {true, false}) {
      Layer l(15, 15);
      l.Fill(triangle ? TriangleGlyph(7.5f, 7.5f, 4, c.d) : ChevronGlyph(7.5f, 7.5f, 4, 1.6f, c.d),
             Solid(kBlack));
      auto [x, y] = Centroid(l);
      ASSERT_GT(x, 0) << "nothing drawn";
      float behind = c.dx != 0 ? (x - 7.5f) * c.dx : (y - 7.5f) * c.dy;
      EXPECT_GT(behind, 0.1f) << int(c.d) << " triangle " << triangle;
    }
  }
}

TEST(SkingenDrawing, TitleButtonGlyphsStayInsideTheirButtons) {
  Theme t;
  t.title = {0x2F, 0x6F, 0xD0};
  t.titleActive = Plain(t.title, kWhite, true);
  t.closeHot = {0xD9, 0x3A, 0x32};
  for (TitleGlyph g : {TitleGlyph::Close, TitleGlyph::Maximise, TitleGlyph::Restore,
                       TitleGlyph::Minimise, TitleGlyph::Help}) {
    Layer l = TitleButton(t, g, 20, 14, 0);
    float edge = 0, inside = 0;
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 20; ++x)
        (x == 0 || y == 0 || x == 19 || y == 13 ? edge : inside) += l.At(x, y).a;
    EXPECT_EQ(edge, 0) << "glyph " << int(g) << " touches the button's edge";
    EXPECT_GT(inside, 4) << "glyph " << int(g) << " is missing";
  }
}

TEST(SkingenDrawing, LegibleFillsReadOverTheirWholeGradient) {
  const Color bases[] = {{0x80, 0x80, 0x80}, {0x2E, 0x9E, 0x5B}, {0xD9, 0x8E, 0x04},
                         {0x5B, 0x8D, 0xEF}, {0x30, 0x30, 0x40}, {0xF0, 0xF0, 0xE8}};
  for (Color base : bases)
    for (Color text : {kWhite, kBlack, Color{0x80, 0x80, 0x80}})
      for (bool keep : {false, true}) {
        Fill f{base, {{Lighten(base, 0.4f), Darken(base, 0.3f), 100}}, 0, text};
        Fill legible = Legible(f, text, keep);
        for (Color bg : Backgrounds(legible)) EXPECT_GE(Contrast(legible.text, bg), 4.5);
        if (keep && text != Color{0x80, 0x80, 0x80}) {
          EXPECT_EQ(legible.text, text) << "kept text";
        }
      }
}

TEST(SkingenDrawing, ShadowLeavesTheWindowClearAndFadesOutwards) {
  Layer shadow = WindowShadow(10, 6, true);
  ASSERT_EQ(shadow.Width(), 24);
  EXPECT_EQ(shadow.At(12, 12).a, 0) << "the window's own area";
  EXPECT_GT(shadow.At(12, 22).a, shadow.At(12, 23).a) << "darker next to the window";
  EXPECT_GT(shadow.At(12, 22).a, WindowShadow(10, 6, false).At(12, 22).a) << "active is stronger";
  Layer glow = Glow(kWhite, 8, 3, 0.6f);
  float peak = 0;
  for (int y = 0; y < glow.Height(); ++y)
    for (int x = 0; x < glow.Width(); ++x) peak = std::max(peak, glow.At(x, y).a);
  EXPECT_NEAR(peak, 0.6f, 1e-4);
}
