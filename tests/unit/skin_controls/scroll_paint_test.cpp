// The picture of one scroll bar over a hand-made skin of plain colours: which element shows which
// state, where the arrow glyphs sit, a disabled bar, and a bar too short for its buttons.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "skin/controls/sScrollPaint.h"

namespace {

// 0x00BBGGRR. Tracks, arrow plates and the thumb in their normal and hot looks; the arrow glyph's
// three frames (normal, hot, pressed).
constexpr int32_t kTrack = 0x303030, kTrackHot = 0x404040, kPlate = 0x505050, kPlateHot = 0x606060,
                  kThumb = 0x0000C0, kThumbHot = 0x0000F0;
constexpr int32_t kGlyph[3] = {0xC00000, 0x00C000, 0xC0C000};
constexpr int kGlyphSize = 5;

int32_t ColorAt(const img::Bitmap32& image, int x, int y) {
  const img::TRGBAPixel& p = image.Pixel(x, y);
  return p.R | p.G << 8 | p.B << 16;
}

// The vertical bar's sections only: SCROLLBAR1V, SCROLLBAR2V, SCROLLBTNTOP, SCROLLBTNBOTTOM and
// SCROLLSLIDERV, the arrows with a glyph of 5 x 5 in each state.
class ScrollPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    skin_.MasterImage = img::Bitmap32(3 * kGlyphSize, kGlyphSize);
    for (int f = 0; f < 3; ++f)
      for (int y = 0; y < kGlyphSize; ++y)
        for (int x = 0; x < kGlyphSize; ++x)
          skin_.MasterImage.Pixel(f * kGlyphSize + x, y) = {
              uint8_t(kGlyph[f] >> 16), uint8_t(kGlyph[f] >> 8), uint8_t(kGlyph[f]), 255};
    TsMaskData glyph;
    glyph.SrcRect = {0, 0, 3 * kGlyphSize, kGlyphSize};
    glyph.StateCount = 3;
    glyph.Owner = &skin_;
    skin_.ImageTable.push_back(glyph);
    TsQuickIndexes& q = skin_.QuickIndexes;
    q.ScrollBars[1].Section = AddSection("SCROLLBAR1V", kTrack, kTrackHot);
    q.ScrollBars[3].Section = AddSection("SCROLLBAR2V", kTrack, kTrackHot);
    for (size_t arrow : {0u, 1u}) {
      q.ScrollButtons[arrow].Section = AddSection(kScrollButtonSections[arrow], kPlate, kPlateHot);
      q.ScrollButtons[arrow].GlyphIndex = 0;
    }
    q.ScrollButtons[4].Section = AddSection("SCROLLSLIDERV", kThumb, kThumbHot);
  }

  int AddSection(std::string_view name, int32_t normal, int32_t hot) {
    TsGeneralData s;
    s.SectionName = std::string(name);
    s.States[0].Color = normal;
    s.States[1].Color = hot;
    skin_.SectionTable.push_back(s);
    return int(skin_.SectionTable.size()) - 1;
  }

  // 200 long with 17-pixel arrows; 10 of 100 rows from row 45: the thumb covers 92..108.
  static TsBarPaint Bar() {
    TsBarPaint b;
    b.Vertical = true;
    b.Info = {0, 99, 10, 45};
    b.Length = 200;
    b.Thickness = 17;
    b.ButtonLength = 17;
    b.BgColor = 0xFFFFFF;
    return b;
  }

  img::Bitmap32 Paint(const TsBarPaint& bar) {
    img::Bitmap32 image;
    EXPECT_TRUE(PaintScrollBar(skin_, bar, image));
    return image;
  }

  TsSkinModel skin_;
};

TEST_F(ScrollPaintTest, EachElementShowsItsOwnState) {
  // Probes {y, colour} down the middle column. A 17-pixel arrow's glyph covers 6..10 of it.
  using Probes = std::vector<std::pair<int, int32_t>>;
  struct Row {
    const char* what;
    std::function<void(TsBarPaint&)> change;
    Probes probes;
  } rows[] = {
      {"nothing held or hot",
       [](TsBarPaint&) {},
       {{1, kPlate}, {8, kGlyph[0]}, {50, kTrack}, {100, kThumb}, {150, kTrack}, {191, kGlyph[0]}}},
      {"first arrow pressed",
       [](TsBarPaint& b) { b.Pressed = kScrollFirstArrow; },
       {{1, kPlateHot}, {8, kGlyph[2]}, {50, kTrack}, {191, kGlyph[0]}}},
      {"second arrow hot",
       [](TsBarPaint& b) { b.Hot = kScrollSecondArrow; },
       {{8, kGlyph[0]}, {100, kThumb}, {191, kGlyph[1]}, {198, kPlateHot}}},
      {"page after pressed",
       [](TsBarPaint& b) { b.Pressed = kScrollPageAfter; },
       {{50, kTrack}, {100, kThumb}, {150, kTrackHot}, {191, kGlyph[0]}}},
      {"thumb hot", [](TsBarPaint& b) { b.Hot = kScrollThumb; }, {{100, kThumbHot}}},
      {"thumb dragged to 30: pressed there, the tracks split under it",
       [](TsBarPaint& b) { b.ThumbStart = 30; },
       {{29, kTrack}, {30, kThumbHot}, {46, kThumbHot}, {47, kTrack}, {100, kTrack}}},
      {"long arrows: each glyph in the arrow cell at the button's outer end",
       [](TsBarPaint& b) { b.ButtonLength = 25; },
       {{6, kGlyph[0]}, {10, kGlyph[0]}, {11, kPlate}, {188, kPlate}, {189, kGlyph[0]}}},
  };
  for (const Row& r : rows) {
    TsBarPaint bar = Bar();
    r.change(bar);
    img::Bitmap32 image = Paint(bar);
    ASSERT_EQ(image.Width(), 17);
    ASSERT_EQ(image.Height(), 200);
    for (auto [y, expected] : r.probes)
      EXPECT_EQ(ColorAt(image, 8, y), expected) << r.what << " at y " << y;
  }
}

TEST_F(ScrollPaintTest, TheThumbsGripSitsInTheMiddleOfTheThumb) {
  // 101 of 200 rows from the first: the thumb covers rows 17..100, so a 5 x 5 grip covers 56..60.
  skin_.QuickIndexes.ScrollButtons[4].GlyphIndex = 0;
  TsBarPaint bar = Bar();
  bar.Info = {0, 199, 101, 0};
  const img::Bitmap32 image = Paint(bar);
  EXPECT_EQ(ColorAt(image, 8, 17), kThumb);
  EXPECT_EQ(ColorAt(image, 8, 100), kThumb);
  EXPECT_EQ(ColorAt(image, 8, 101), kTrack);
  for (int y = 17; y <= 100; ++y)
    EXPECT_EQ(ColorAt(image, 8, y), y >= 56 && y <= 60 ? kGlyph[0] : kThumb) << y;
  EXPECT_EQ(ColorAt(image, 5, 58), kThumb);
  EXPECT_EQ(ColorAt(image, 6, 58), kGlyph[0]);
  EXPECT_EQ(ColorAt(image, 10, 58), kGlyph[0]);
  EXPECT_EQ(ColorAt(image, 11, 58), kThumb);
}

TEST_F(ScrollPaintTest, ADisabledBarShowsNoThumbAndNothingHot) {
  TsBarPaint bar = Bar();
  bar.Enabled = false;
  const img::Bitmap32 plain = Paint(bar);
  EXPECT_EQ(ColorAt(plain, 8, 100), ColorAt(plain, 8, 50));  // track where the thumb would be
  EXPECT_NE(ColorAt(plain, 8, 50), kTrack);                  // faded toward the background
  for (int hot : {kScrollFirstArrow, kScrollThumb, kScrollPageAfter}) {
    bar.Hot = hot;
    const img::Bitmap32 image = Paint(bar);
    EXPECT_EQ(std::memcmp(image.Row(0), plain.Row(0), plain.PixelCount() * 4), 0) << hot;
  }
}

TEST_F(ScrollPaintTest, ABarTooShortForBothArrowsSplitsIntoTwoHalvesWithoutThumb) {
  TsBarPaint bar = Bar();
  bar.Length = 33;  // halves of 16 and 17; each glyph centred in its half
  bar.Hot = kScrollSecondArrow;
  const img::Bitmap32 image = Paint(bar);
  EXPECT_EQ(ColorAt(image, 8, 5), kGlyph[0]);
  EXPECT_EQ(ColorAt(image, 8, 9), kGlyph[0]);
  EXPECT_EQ(ColorAt(image, 8, 10), kPlate);
  EXPECT_EQ(ColorAt(image, 8, 15), kPlate);
  EXPECT_EQ(ColorAt(image, 8, 16), kPlateHot);
  EXPECT_EQ(ColorAt(image, 8, 22), kGlyph[1]);
  EXPECT_EQ(ColorAt(image, 8, 26), kGlyph[1]);
  for (int y = 0; y < 33; ++y)
    for (int x = 0; x < 17; ++x) ASSERT_NE(ColorAt(image, x, y), kThumb) << x << "," << y;
}

TEST_F(ScrollPaintTest, NothingIsPaintedWithoutTheBarsTrackOrRoom) {
  img::Bitmap32 image;
  TsBarPaint bar = Bar();
  bar.Vertical = false;  // the skin has no horizontal sections
  EXPECT_FALSE(PaintScrollBar(skin_, bar, image));
  bar = Bar();
  bar.Length = 1;
  EXPECT_FALSE(PaintScrollBar(skin_, bar, image));
  bar = Bar();
  bar.Thickness = 0;
  EXPECT_FALSE(PaintScrollBar(skin_, bar, image));
  EXPECT_TRUE(image.Empty());
}

TEST_F(ScrollPaintTest, TheCornerShowsWhatLiesBehindAndTheGripWhenItSizesTheParent) {
  // A parent's picture whose every pixel tells where it lies.
  img::Bitmap32 parent(60, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) parent.Pixel(x, y) = {uint8_t(x), uint8_t(y), 7, 255};  // B, G, R
  TsBgSource picture = MakeBgSource(&parent, 30, 12);
  TsBgSource colour = EmptyBgSource;
  colour.BgColor = 0x123456;
  skin_.QuickIndexes.GlobalImages[10] = 0;  // the 5 x 5 glyph stands for the grip

  img::Bitmap32 image(17, 17);
  PaintScrollCorner(skin_, picture, false, image);
  EXPECT_EQ(ColorAt(image, 0, 0), 0x1E0C07);  // the parent's pixel (30, 12)
  EXPECT_EQ(ColorAt(image, 16, 16), 0x2E1C07);

  PaintScrollCorner(skin_, colour, true, image);
  EXPECT_EQ(ColorAt(image, 0, 0), 0x123456);
  EXPECT_EQ(ColorAt(image, 11, 16), 0x123456);  // left of the grip
  EXPECT_EQ(ColorAt(image, 16, 11), 0x123456);  // above it
  EXPECT_EQ(ColorAt(image, 12, 12), kGlyph[0]);
  EXPECT_EQ(ColorAt(image, 16, 16), kGlyph[0]);

  skin_.QuickIndexes.GlobalImages[10] = -1;  // a skin without a grip
  PaintScrollCorner(skin_, colour, true, image);
  EXPECT_EQ(ColorAt(image, 16, 16), 0x123456);
}

}  // namespace
