// Scroll-bar arithmetic: thumb length and place, hit testing, the position a dragged thumb
// stands for (degenerate ranges and tracks included), the bars' places in a window, and the
// timing of a held press; the share of a progress bar's track that its bar fills.
#include <gtest/gtest.h>

#include "skin/controls/sProgressGeometry.h"
#include "skin/controls/sScrollGeometry.h"
#include "skin/controls/sScrollPress.h"

TEST(ScrollGeometry, ScaleRoundsLikeThePlatformButNeverAnswersMinusOne) {
  struct Row {
    int32_t a, b, c, expected;
  } rows[] = {{7, 3, 2, 11}, {-7, 3, 2, -11}, {5, 1, 2, 3}, {-5, 1, 2, -3},
              {1, 1, 3, 0},  {2, 1, 3, 1},    {9, 9, 0, 0}, {INT32_MAX, 4, 2, INT32_MAX}};
  for (const Row& r : rows) EXPECT_EQ(ScaleRounded(r.a, r.b, r.c), r.expected) << r.a << r.b << r.c;
}

TEST(ScrollGeometry, ThumbLengthAndPlace) {
  // A 217-pixel bar with 17-pixel arrows: a track of 183.
  struct Row {
    TsScrollInfo info;
    int buttons;
    TsThumb expected;
  } rows[] = {
      {{0, 99, 10, 0}, 17, {17, 18}},     // 10 of 100 rows: 18 pixels, at the track's start
      {{0, 99, 10, 90}, 17, {182, 18}},   // at the end: 17 + 183 - 18
      {{0, 99, 10, 45}, 17, {100, 18}},   // 17 + 45 * 165 / 90 (82.5 -> 83)
      {{0, 999, 1, 0}, 17, {17, 10}},     // never shorter than the minimum
      {{0, 99, 0, 50}, 17, {101, 17}},    // no page: as long as an arrow; 17 + 50 * 166 / 99
      {{0, -1, 10, 0}, 17, {17, 0}},      // an empty range: no thumb
      {{0, 999, 1, 0}, 0, {0, 19}},       // arrows hidden: at least 19
      {{0, 99, 10, 500}, 17, {182, 18}},  // a position past the end stays in the track
  };
  for (const Row& r : rows) {
    TsThumb t = ThumbGeometry(r.info, 0, 217, r.buttons, kMinThumb);
    EXPECT_EQ(t.Start, r.expected.Start) << r.info.Pos;
    EXPECT_EQ(t.Length, r.expected.Length) << r.info.Pos;
  }
  EXPECT_TRUE(ThumbShown({0, 99, 10, 0}, 217, 17, kMinThumb));
  EXPECT_FALSE(ThumbShown({0, 99, 10, 0}, 40, 17, kMinThumb));  // no room between the arrows
}

TEST(ScrollGeometry, RangesAsWideAsThe32BitPositionsStillScale) {
  // The same 217-pixel bar; Max - Min + 1 of these ranges does not fit in 32 bits.
  constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN, kHalf = 1 << 30;
  struct Row {
    TsScrollInfo info;
    TsThumb expected;
  } rows[] = {
      {{0, kMax, kHalf, 0}, {17, 92}},          // half of 2^31: 91.5 -> 92
      {{0, kMax, kHalf, kHalf / 2}, {63, 92}},  // a quarter on: 17 + 45.5 -> 46
      {{0, kMax, kHalf, kHalf}, {108, 92}},     // the last page: 17 + 183 - 92
      {{0, kMax, kHalf, kMax}, {108, 92}},      // past it, still in the track
      {{kMin, kMax, kMax, 0}, {109, 91}},       // 2^32 positions, the middle one
      {{kMin, kMax, kMax, kMin}, {17, 91}},     // the first
      {{kMax, kMin, kMax, 0}, {17, 0}},         // an inverted range: no thumb
  };
  for (const Row& r : rows) {
    TsThumb t = ThumbGeometry(r.info, 0, 217, 17, kMinThumb);
    EXPECT_EQ(t.Start, r.expected.Start) << r.info.Min << ".." << r.info.Max << " @" << r.info.Pos;
    EXPECT_EQ(t.Length, r.expected.Length) << r.info.Min << ".." << r.info.Max;
  }
  EXPECT_TRUE(ThumbShown({-1, kMax, kMax, 0}, 217, 17, 0));
  EXPECT_TRUE(ThumbShown({kMin, kMax, kMax, 0}, 217, 17, 0));  // half of 2^32 - 1: 91 pixels
  EXPECT_EQ(HitTestBar({kMin, kMax, kMax, 0}, {0, 0, 217, 17}, false, 17, kMinThumb, {150, 5}),
            kScrollThumb);
  // Dragged positions (a 17-pixel thumb on a 183-pixel track from 17): half the track is half the
  // range; positions beyond 32 bits saturate.
  struct Drag {
    TsScrollInfo info;
    bool vertical;
    int thumbStart;
    int32_t expected;
  } drags[] = {
      {{0, kMax, 0, 0}, false, 100, kHalf},     // 2^31 * 83 / 166
      {{0, kMax, 0, 0}, true, 100, kHalf + 1},  // (2^31 + 1) / 2, rounded up
      {{0, kMax, 0, 0}, false, 183, kMax},      // 2^31 at the end
      {{0, kMax, 0, 0}, true, 183, kMax},       // 2^31 + 1 at the end
      {{kMin, kMax, 0, 0}, false, 100, kMax},   // 2^31 of 2^32
      {{kMin, kMax, kMax, 0}, false, 17, 0},    // the first
      {{-1, kMax, kMax, 0}, false, 183, 2},     // 2^31 - (2^31 - 1) + 1 at the end
  };
  for (const Drag& d : drags)
    EXPECT_EQ(DragPosition(d.info, d.vertical, d.thumbStart, 17, 183, 17), d.expected)
        << d.info.Min << ".." << d.info.Max << " " << d.vertical << " @" << d.thumbStart;
}

TEST(ScrollGeometry, HitTesting) {
  const TsScrollInfo info{0, 99, 10, 45};  // thumb at 100..117 of a 217-wide bar
  const TRect bar{0, 100, 217, 117};
  struct Row {
    int x, y, expected;
  } rows[] = {
      {0, 105, kScrollFirstArrow},  {16, 105, kScrollFirstArrow}, {17, 105, kScrollPageBefore},
      {99, 105, kScrollPageBefore}, {100, 105, kScrollThumb},     {117, 105, kScrollThumb},
      {118, 105, kScrollPageAfter}, {199, 105, kScrollPageAfter}, {200, 105, kScrollSecondArrow},
      {50, 99, kScrollNone},        {50, 117, kScrollNone}};
  for (const Row& r : rows)
    EXPECT_EQ(HitTestBar(info, bar, false, 17, kMinThumb, {r.x, r.y}), r.expected) << r.x;
  // Vertical: the axes swap. A bar too short for both arrows splits between them.
  const TRect vertical{100, 0, 117, 20};
  EXPECT_EQ(HitTestBar(info, vertical, true, 17, kMinThumb, {105, 9}), kScrollFirstArrow);
  EXPECT_EQ(HitTestBar(info, vertical, true, 17, kMinThumb, {105, 10}), kScrollSecondArrow);
}

TEST(ScrollGeometry, DraggedThumbPositions) {
  const TsScrollInfo info{0, 99, 10, 0};
  struct Row {
    bool vertical;
    int thumbStart;
    int32_t expected;
  } rows[] = {
      {false, 17, 0}, {false, 99, 45}, {false, 182, 90},  // 90 = 99 - 10 + 1
      {true, 17, 0},  {true, 99, 45},  {true, 182, 91},   // the end: 99 - 10 + 2, as designed
  };
  for (const Row& r : rows)
    EXPECT_EQ(DragPosition(info, r.vertical, r.thumbStart, 17, 183, 18), r.expected)
        << r.vertical << " " << r.thumbStart;
  // A range of one position reports the pixel offset; a thumb filling its track sends no -1.
  EXPECT_EQ(DragPosition({5, 5, 0, 5}, false, 30, 17, 183, 18), 13);
  EXPECT_EQ(DragPosition(info, false, 17, 17, 18, 18), 0);
  EXPECT_EQ(DragPosition({0, 99, 150, 0}, false, 20, 17, 183, 18), 0);
}

TEST(ScrollGeometry, BarsLieInsideTheWindowsBorder) {
  TsBarFrame f;
  f.Window = {100, 50, 400, 250};
  f.LeftEdge = f.TopEdge = f.RightEdge = f.BottomEdge = 2;
  f.HorzThickness = f.VertThickness = 17;
  f.HorzVisible = f.VertVisible = true;
  EXPECT_EQ(HorzBarRect(f), (TRect{102, 231, 381, 248}));
  EXPECT_EQ(VertBarRect(f), (TRect{381, 52, 398, 231}));
  f.LeftScrollBar = true;
  EXPECT_EQ(HorzBarRect(f), (TRect{119, 231, 398, 248}));
  EXPECT_EQ(VertBarRect(f), (TRect{102, 52, 119, 231}));
  EXPECT_EQ(SizeCornerRect(f), (TRect{102, 231, 119, 248}));
  f.LeftScrollBar = false;
  EXPECT_EQ(SizeCornerRect(f), (TRect{381, 231, 398, 248}));
  f.HorzVisible = false;
  EXPECT_EQ(HorzBarRect(f).Height(), 0);
  EXPECT_EQ(VertBarRect(f).Bottom, 248);
  EXPECT_EQ(SizeCornerRect(f), TRect{});
  f.HorzVisible = true;
  f.VertVisible = false;
  EXPECT_EQ(SizeCornerRect(f), TRect{});
}

TEST(ScrollGeometry, TheCornerSizesTheParentOnlyOnTheParentClientsOwnCorner) {
  struct Case {
    const char* what;
    TRect parentClient;
    bool leftBar, horz, vert, sizes;
  } cases[] = {
      {"on the bottom-right corner", {0, 0, 400, 250}, false, true, true, true},
      {"one pixel wider parent", {0, 0, 401, 250}, false, true, true, false},
      {"one pixel taller parent", {0, 0, 400, 251}, false, true, true, false},
      {"one pixel shorter parent", {0, 0, 400, 249}, false, true, true, false},
      {"no horizontal bar", {0, 0, 400, 250}, false, false, true, false},
      {"no vertical bar", {0, 0, 400, 250}, false, true, false, false},
      {"bar on the left: the bottom-left corner counts",
       {100, 0, 500, 250},
       true,
       true,
       true,
       true},
      {"bar on the left, right corner only", {0, 0, 400, 250}, true, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TsBarFrame f;
    f.Window = {100, 50, 400, 250};
    f.HorzThickness = f.VertThickness = 17;
    f.HorzVisible = c.horz;
    f.VertVisible = c.vert;
    f.LeftScrollBar = c.leftBar;
    EXPECT_EQ(CornerSizesParent(f, c.parentClient), c.sizes);
  }
}

TEST(ScrollPress, RepeatsAfterThePauseOnlyWhileOverTheElementAndEndsWithTheCapture) {
  TsScrollPress press;
  EXPECT_EQ(press.Press(kScrollPageAfter), kScrollPageAfter);
  EXPECT_EQ(press.Advance(299), 0);
  EXPECT_EQ(press.Advance(55), 0);  // 354 ms
  EXPECT_EQ(press.Advance(1), 1);   // 355 ms: the first repeat
  EXPECT_EQ(press.Advance(110), 2);
  press.Track(kScrollThumb);  // off the element: shown unpressed, nothing sent
  EXPECT_EQ(press.Pressed(), -1);
  EXPECT_EQ(press.Advance(110), 0);
  press.Track(kScrollPageAfter);
  EXPECT_EQ(press.Pressed(), kScrollPageAfter);
  EXPECT_EQ(press.Advance(55), 1);
  press.End();  // the capture went elsewhere
  EXPECT_FALSE(press.Held());
  EXPECT_EQ(press.Advance(1000), 0);
}

TEST(ProgressGeometry, TheBarFillsItsShareOfTheTrackFromItsStart) {
  struct Row {
    int32_t low, high, pos;
    bool vertical;
    TRect fill;
  } rows[] = {
      {0, 100, 0, false, {2, 3, 2, 19}},
      {0, 100, 50, false, {2, 3, 52, 19}},
      {0, 100, 100, false, {2, 3, 102, 19}},
      {0, 3, 1, false, {2, 3, 35, 19}},       // 33.3 rounds down
      {0, 3, 2, false, {2, 3, 69, 19}},       // 66.7 rounds up
      {0, 100, 150, false, {2, 3, 102, 19}},  // beyond the end: full
      {10, 20, 5, false, {2, 3, 2, 19}},      // before the start: empty
      {5, 5, 5, false, {2, 3, 2, 3}},         // no range
      {20, 10, 15, false, {2, 3, 2, 3}},      // inverted range
      {INT32_MIN, INT32_MAX, 0, false, {2, 3, 52, 19}},
      {0, 100, 25, true, {2, 15, 102, 19}},  // from the bottom
      {0, 100, 100, true, {2, 3, 102, 19}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ProgressFill({2, 3, 102, 19}, r.low, r.high, r.pos, r.vertical), r.fill)
        << r.low << ".." << r.high << " at " << r.pos << (r.vertical ? " vertical" : "");
}
