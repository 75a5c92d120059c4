#include <gtest/gtest.h>

#include "skin/data/sScaledMetrics.h"

namespace {

// Every length of GLOBALINFO has a value of its own, so that one scaled into another's place shows.
TsSkinData Lengths() {
  TsSkinData g;
  g.Shadow1Color = 0x123456;
  g.Shadow1Offset = 2;
  g.Shadow1Blur = 6;
  g.Shadow1Transparency = 40;
  g.BorderWidth = 4;
  g.TitleHeight = 30;
  g.MaxHeight = 26;
  g.FormOffset = 8;
  g.AlignOffset = 10;
  g.CenterOffset = -3;
  g.BorderMode = 1;
  g.BISpace = 1;
  g.BIVAlign = 1;
  g.BIRight = 5;
  g.BILeft = 7;
  g.BITop = 9;
  g.BIKeepHue = 1;
  g.CloseGlow = 1;
  g.CloseGlowMargin = 11;
  g.MaxGlowMargin = 12;
  g.MinGlowMargin = 13;
  return g;
}

struct GlobalRow {
  int dpi;
  // shadow offset, blur, border, title, max title, form offset, align, centre, spacing, right,
  // left, top, the three glow margins
  std::array<int, 15> lengths;
};

TEST(ScaledMetrics, GlobalLengthsGrowWithTheScaleAndTheRestStays) {
  const GlobalRow rows[] = {
      {96, {2, 6, 4, 30, 26, 8, 10, -3, 1, 5, 7, 9, 11, 12, 13}},
      {120, {3, 8, 5, 38, 33, 10, 13, -4, 1, 6, 9, 11, 14, 15, 16}},
      {144, {3, 9, 6, 45, 39, 12, 15, -5, 2, 8, 11, 14, 17, 18, 20}},
      {192, {4, 12, 8, 60, 52, 16, 20, -6, 2, 10, 14, 18, 22, 24, 26}},
  };
  for (const GlobalRow& row : rows) {
    TsSkinData g = Lengths();
    ScaleGlobalMetrics(g, row.dpi);
    const std::array<int, 15> got = {
        g.Shadow1Offset, g.Shadow1Blur, g.BorderWidth,     g.TitleHeight,   g.MaxHeight,
        g.FormOffset,    g.AlignOffset, g.CenterOffset,    g.BISpace,       g.BIRight,
        g.BILeft,        g.BITop,       g.CloseGlowMargin, g.MaxGlowMargin, g.MinGlowMargin};
    EXPECT_EQ(got, row.lengths) << row.dpi;
    EXPECT_EQ(g.Shadow1Color, 0x123456);
    EXPECT_EQ(g.Shadow1Transparency, 40);
    EXPECT_EQ(g.BorderMode, 1);
    EXPECT_EQ(g.BIVAlign, 1);
    EXPECT_EQ(g.BIKeepHue, 1);
    EXPECT_EQ(g.CloseGlow, 1);
  }
}

TEST(ScaledMetrics, NoBlurStaysNoneAndLengthsStayWithinTheirType) {
  TsSkinData g;
  g.Shadow1Blur = -1;
  g.TitleHeight = 30000;
  ScaleGlobalMetrics(g, 192);
  EXPECT_EQ(g.Shadow1Blur, -1);
  EXPECT_EQ(g.TitleHeight, 32767);

  TsGeneralData d;
  d.GlowMargin = 7;
  d.GSize = 3;
  d.HGSize = 200;
  d.States[0].GSize = 3;
  d.States[1].GSize = 200;
  d.Glow = 5;
  ScaleSectionMetrics(d, 144);
  EXPECT_EQ(d.GlowMargin, 11);
  EXPECT_EQ(d.GSize, 5);
  EXPECT_EQ(d.HGSize, 255);
  EXPECT_EQ(d.States[0].GSize, 5);
  EXPECT_EQ(d.States[1].GSize, 255);
  EXPECT_EQ(d.Glow, 5);
}

struct CutRow {
  int size, first, last, dpi;
  int scaledSize, scaledFirst, scaledLast;
};

TEST(ScaledMetrics, SliceCutsKeepTheMarginsWholeAndInsideTheFrame) {
  const CutRow rows[] = {
      {20, 4, 4, 96, 20, 4, 4},    // the identity
      {20, 4, 4, 120, 25, 5, 5},   // 125 %
      {20, 3, 5, 144, 30, 5, 8},   // 150 %: 4.5 and 7.5 round up
      {20, 3, 5, 192, 40, 6, 10},  // 200 %
      {3, 1, 1, 144, 5, 2, 2},     // rounded margins fit the rounded frame
      {5, 2, 2, 144, 8, 3, 3},     // 7.5 rounds to 8, the margins take 6
      {5, 2, 2, 24, 2, 1, 1},      // 1.25 rounds to 1: the margins need 2
      {2, 1, 1, 120, 2, 1, 1},     // no middle at 96: the frame is the margins
      {4, 2, 2, 120, 6, 3, 3},     // no middle, margins rounded up
      {6, 5, 5, 144, 10, 8, 2},    // margins wider than the frame are held inside it
      {10, 0, 0, 144, 15, 0, 0},   // no margins
      {-3, 1, 1, 144, 0, 0, 0},    // a negative frame is none
  };
  for (const CutRow& r : rows) {
    const TsSliceCuts c = ScaleSliceCuts(r.size, r.first, r.last, r.dpi);
    EXPECT_EQ(c.Size, r.scaledSize) << r.size << " " << r.first << " " << r.last << " " << r.dpi;
    EXPECT_EQ(c.First, r.scaledFirst) << r.size << " at " << r.dpi;
    EXPECT_EQ(c.Last, r.scaledLast) << r.size << " at " << r.dpi;
  }
}

}  // namespace
