// The parent's background in a control's picture: answers turned into background sources, the
// transparent corners filled from a picture or a colour, and the border painted over the parent
// with an extra plain frame.
#include <gtest/gtest.h>

#include "Golden.h"
#include "Pictures.h"
#include "skin/data/SkinSystem.h"
#include "skin/render/sParentBg.h"

namespace {

using namespace parentbg_test;

constexpr img::TRGBAPixel kCache{50, 60, 70, 200};
constexpr img::TRGBAPixel kFrame{10, 20, 30, 0};

TsBgQuery BitmapAnswer(img::Bitmap32& parent, int x, int y) {
  TsBgQuery q;
  q.Kind = bgkBitmap;
  q.Bitmap = &parent;
  q.OffsetX = x;
  q.OffsetY = y;
  return q;
}

TsBgQuery ColorAnswer(int32_t color) {
  TsBgQuery q;
  q.Kind = bgkColor;
  q.Color = color;
  return q;
}

TEST(BgQueryToSourceTest, OnlyABitmapAnswerWithAPictureIsAValidSource) {
  img::Bitmap32 parent(4, 4);
  const TsBgSource s = BgQueryToSource(BitmapAnswer(parent, 3, 5));
  EXPECT_TRUE(s.Valid);
  EXPECT_EQ(s.Bitmap, &parent);
  EXPECT_EQ(s.OffsetX, 3);
  EXPECT_EQ(s.BgColor, kKeyColor);

  // Drawn straight into the asker's surface: nothing to read from.
  TsBgQuery drawn = BitmapAnswer(parent, 0, 0);
  drawn.Bitmap = nullptr;
  EXPECT_FALSE(BgQueryToSource(drawn).Valid);

  TsBgQuery colour = ColorAnswer(int32_t(0x80000000u | skin::kColorBtnFace));
  colour.Bitmap = &parent;
  colour.OffsetY = 7;
  colour.BorderRect = {1, 2, 3, 4};
  const TsBgSource c = BgQueryToSource(colour);
  EXPECT_FALSE(c.Valid);
  EXPECT_EQ(c.Bitmap, &parent);
  EXPECT_EQ(c.OffsetY, 7);
  EXPECT_EQ(c.BorderRect, (TRect{1, 2, 3, 4}));
  EXPECT_EQ(c.BgColor, skin::SysColor(skin::kColorBtnFace));
}

// Three frames of 4 x 4 with margins 2; frame 1 has key pixels in its top-left corner (at its
// origin) and its bottom-right corner (its last pixel); frame 0 only in the top-left one.
struct CornersTest : ::testing::Test {
  CornersTest() : m(Filled(12, 8, kFrame)) {
    TsMaskData& e = m.entry();
    e.SrcRect = {0, 0, 12, 4};
    e.StateCount = 3;
    e.MarginLeft = e.MarginTop = e.MarginRight = e.MarginBottom = 2;
    e.CornerTransparency = 1;
    img::Bitmap32& p = m.model->MasterImage;
    p.Pixel(0, 0) = p.Pixel(4, 0) = p.Pixel(7, 3) = kKey;
    p.Pixel(5, 5) = kKey;  // in the mask rows: read only as picture when the entry has no mask
  }
  img::Bitmap32 Fill(int state, int corners, const TsBgQuery& answer) {
    img::Bitmap32 cache = Filled(6, 5, kCache);
    FillCornersFromParentBg(cache, m.entry(), state, corners, host, answer);
    return cache;
  }
  OneEntryModel m;
  img::Bitmap32 parent = Numbered(30, 30);
  const TRect host{10, 20, 16, 25};  // 6 x 5 at (10, 20)
};

TEST_F(CornersTest, NothingChangesForOpaqueCornersOrWithoutAPictureOrColour) {
  m.entry().CornerTransparency = 0;
  EXPECT_EQ(Fill(1, kAllCorners, BitmapAnswer(parent, 1, 2)).Pixel(0, 0), kCache);
  m.entry().CornerTransparency = 1;
  TsBgQuery notReady = BitmapAnswer(parent, 1, 2);
  notReady.Kind = bgkNotReady;
  EXPECT_EQ(Fill(1, kAllCorners, notReady).Pixel(0, 0), kCache);
  m.entry().Owner = nullptr;
  EXPECT_EQ(Fill(1, kAllCorners, ColorAnswer(0x123456)).Pixel(0, 0), kCache);
}

TEST_F(CornersTest, ABitmapAnswerShowsTheParentBehindTheHost) {
  const img::Bitmap32 cache = Fill(1, kAllCorners, BitmapAnswer(parent, 1, 2));
  // The host sits at (10, 20) and the answer's offset adds (1, 2).
  EXPECT_EQ(cache.Pixel(0, 0), (img::TRGBAPixel{11, 22, 7, 0}));
  EXPECT_EQ(cache.Pixel(5, 4), (img::TRGBAPixel{16, 26, 7, 0}));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x)
      if ((x != 0 || y != 0) && (x != 5 || y != 4)) {
        EXPECT_EQ(cache.Pixel(x, y), kCache) << x << "," << y;
      }
}

TEST_F(CornersTest, AColourAnswerOnlyInTheRequestedCornersOfTheStatesFrame) {
  img::Bitmap32 cache = Fill(1, kCornerTopLeft | kCornerTopRight, ColorAnswer(0x0000FF));
  EXPECT_EQ(cache.Pixel(0, 0), (img::TRGBAPixel{0, 0, 255, 0}));
  EXPECT_EQ(cache.Pixel(5, 4), kCache);
  cache = Fill(0, kCornerBottomRight, ColorAnswer(0x0000FF));  // frame 0: no bottom-right key
  EXPECT_EQ(cache.Pixel(5, 4), kCache);
  cache = Fill(9, kAllCorners, ColorAnswer(0x0000FF));  // frame 2 has no keys at all
  EXPECT_EQ(cache.Pixel(0, 0), kCache);
}

TEST_F(CornersTest, AMaskedEntryKeepsTheAlphaOfTheCache) {
  m.entry().MaskRows = 1;
  m.entry().SrcRect.Bottom = 8;
  const img::Bitmap32 cache = Fill(1, kAllCorners, BitmapAnswer(parent, 0, 0));
  EXPECT_EQ(cache.Pixel(0, 0), (img::TRGBAPixel{10, 20, 7, kCache.A}));
  EXPECT_EQ(cache.Pixel(5, 4), (img::TRGBAPixel{15, 24, 7, kCache.A}));
}

TEST_F(CornersTest, AnOwnPictureWithoutFramesIsThreeFramesOverAMask) {
  auto own = std::make_shared<img::Bitmap32>(Filled(12, 8, kFrame));
  own->Pixel(4, 0) = kKey;  // frame 1's top-left
  m.entry().Image = own;
  m.entry().StateCount = 0;
  const img::Bitmap32 cache = Fill(1, kAllCorners, ColorAnswer(0x00FF00));
  EXPECT_EQ(cache.Pixel(0, 0), (img::TRGBAPixel{0, 255, 0, 0}));
  EXPECT_EQ(cache.Pixel(5, 4), kCache);
}

// A 3 x 4 border picture of one colour with margins (1, 2, 1, 1) and a 1 x 1 centre.
struct BorderTest : ::testing::Test {
  BorderTest() : m(Filled(3, 4, kFrame)) {
    TsMaskData& e = m.entry();
    e.SrcRect = {0, 0, 3, 4};
    e.StateCount = 1;
    e.MarginLeft = 1, e.MarginTop = 2, e.MarginRight = 1, e.MarginBottom = 1;
  }
  // 'B' border, 'P' plain colour, 'c' the cache as it was, '.' the target as it was.
  static std::string Shape(const img::Bitmap32& b) {
    std::string s;
    for (int y = 0; y < b.Height(); ++y) {
      for (int x = 0; x < b.Width(); ++x) {
        const img::TRGBAPixel p = b.Pixel(x, y);
        s += p == kBlank       ? '.'
             : p == kCache     ? 'c'
             : p == kPlain     ? 'P'
             : p.B == kFrame.B ? 'B'
                               : '?';
      }
      s += '\n';
    }
    return s;
  }
  static constexpr img::TRGBAPixel kPlain{255, 0, 0, 255};  // 0xFF0000
  OneEntryModel m;
  img::Bitmap32 cache = Filled(10, 8, kCache);
  img::Bitmap32 target = Filled(10, 8, kBlank);
  TRect client{-1, -1, -1, -1};
};

TEST_F(BorderTest, TheExtraFrameLiesBetweenBorderAndClientAndIsCopiedToTheTarget) {
  PaintBorderOverParentBg(cache, target, {0, 0, 10, 8}, 3, client, 0, &m.entry(), 0xFF0000, {0, 0},
                          TsBgQuery{});
  EXPECT_EQ(Shape(cache),
            "BBBBBBBBBB\n"
            "BBBBBBBBBB\n"
            "BPPPPPPPPB\n"
            "BPPccccPPB\n"
            "BPPccccPPB\n"
            "BPPPPPPPPB\n"
            "BPPPPPPPPB\n"
            "BBBBBBBBBB\n");
  EXPECT_EQ(Shape(target),
            "BBBBBBBBBB\n"
            "BBBBBBBBBB\n"
            "BPPPPPPPPB\n"
            "BPP....PPB\n"
            "BPP....PPB\n"
            "BPPPPPPPPB\n"
            "BPPPPPPPPB\n"
            "BBBBBBBBBB\n");
  EXPECT_EQ(client, (TRect{3, 3, 7, 5}));
}

TEST_F(BorderTest, ClientAreaWithoutExtraAndAnExtraWiderThanTheControl) {
  PaintBorderOverParentBg(cache, cache, {0, 0, 10, 8}, 0, client, 0, &m.entry(), 0xFF0000, {0, 0},
                          TsBgQuery{});
  EXPECT_EQ(client, (TRect{1, 2, 9, 7}));
  PaintBorderOverParentBg(cache, cache, {0, 0, 10, 8}, 6, client, 0, &m.entry(), 0xFF0000, {0, 0},
                          TsBgQuery{});
  EXPECT_EQ(client, (TRect{6, 6, 6, 6}));
  EXPECT_EQ(Shape(cache).find('c'), std::string::npos);
  // A negative extra width is no frame at all.
  PaintBorderOverParentBg(cache, cache, {0, 0, 10, 8}, -2, client, 0, &m.entry(), 0xFF0000, {0, 0},
                          TsBgQuery{});
  EXPECT_EQ(client, (TRect{1, 2, 9, 7}));
}

TEST_F(BorderTest, WithoutABorderOnlyTheExtraFrameIsFilledIntoTheTarget) {
  PaintBorderOverParentBg(cache, target, {1, 1, 9, 7}, 2, client, 0, nullptr, 0xFF0000, {0, 0},
                          TsBgQuery{});
  EXPECT_EQ(Shape(target),
            "..........\n"
            ".PPPPPPPP.\n"
            ".PPPPPPPP.\n"
            ".PP....PP.\n"
            ".PP....PP.\n"
            ".PPPPPPPP.\n"
            ".PPPPPPPP.\n"
            "..........\n");
  EXPECT_EQ(client, (TRect{-1, -1, -1, -1}));
  EXPECT_EQ(Shape(cache).find_first_not_of("c\n"), std::string::npos);
}

// A masked border (image over mask, 5 x 5 frames, margins 2) whose outer ring is opaque, inner
// ring half transparent and centre clear, with a transparent top-left corner pixel; painted over
// a parent picture or a plain colour, with an extra frame of 3.
img::Bitmap32 MaskedBorder(const TsBgQuery& answer) {
  OneEntryModel m(Filled(5, 10, kFrame));
  TsMaskData& e = m.entry();
  e.SrcRect = {0, 0, 5, 10};
  e.StateCount = 1;
  e.MaskRows = 1;
  e.MarginLeft = e.MarginTop = e.MarginRight = e.MarginBottom = 2;
  e.CornerTransparency = 1;
  img::Bitmap32& p = m.model->MasterImage;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      const int ring = std::min({x, y, 4 - x, 4 - y});
      p.Pixel(x, y) = {160, 40, 40, 0};
      const uint8_t k = ring == 0 ? 0 : ring == 1 ? 128 : 255;
      p.Pixel(x, y + 5) = {k, k, k, 0};
    }
  }
  p.Pixel(0, 0) = kKey;
  img::Bitmap32 cache = Filled(12, 10, {255, 255, 255, 255});
  img::Bitmap32 target = Filled(12, 10, {128, 128, 128, 255});
  TRect client;
  PaintBorderOverParentBg(cache, target, {0, 0, 12, 10}, 3, client, 0, &e, 0x00C0FF, {5, 7},
                          answer);
  return target;
}

TEST(MaskedBorderTest, OverAParentPictureAndOverAColour) {
  img::Bitmap32 parent(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) parent.Pixel(x, y) = {100, uint8_t(y * 6), uint8_t(x * 6), 255};
  ExpectGolden(MaskedBorder(BitmapAnswer(parent, 1, 1)), "parentbg_masked_border_bitmap");
  ExpectGolden(MaskedBorder(ColorAnswer(0x008000)), "parentbg_masked_border_color");
}

}  // namespace
