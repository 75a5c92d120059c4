// The arithmetic of skinned scroll bars: where a bar lies in its window, how long its thumb is
// and where it sits, which element a point falls on, and the position a dragged thumb stands for.
// Lengths run along the bar (x for a horizontal bar, y for a vertical one).
#pragma once

#include <cstdint>

#include "skin/data/sSkinData.h"
#include "skin/render/sBgSource.h"

// A bar's scroll state, as the platform keeps it.
struct TsScrollInfo {
  int32_t Min = 0, Max = 0, Page = 0, Pos = 0, TrackPos = 0;
};

// The elements of a bar; the first four are also the scroll codes sent for them.
enum TsScrollElement : int {
  kScrollNone = -1,
  kScrollFirstArrow = 0,   // left or up
  kScrollSecondArrow = 1,  // right or down
  kScrollPageBefore = 2,
  kScrollPageAfter = 3,
  kScrollThumb = 5,
};

// The shortest thumb, and the thumb of a bar whose skin hides the arrow buttons.
inline constexpr int kMinThumb = 10;
inline constexpr int kArrowlessThumb = 19;

// a * b / c rounded half away from zero, as the platform's MulDiv, saturated to 32 bits; a zero
// divisor gives 0 (the platform's -1 would turn into a position or a length). The operands are
// 64-bit because a scroll range (Max - Min + 1) may need 33 bits; a * b must fit in 64 bits, as a
// pixel length times a range always does.
int32_t ScaleRounded(int64_t a, int64_t b, int64_t c);

struct TsThumb {
  int Start = 0, Length = 0;
};
// The thumb of a bar that starts at barStart and is barLength long, with arrow buttons
// buttonLength long at both ends (0 when the skin hides them).
TsThumb ThumbGeometry(const TsScrollInfo& info, int barStart, int barLength, int buttonLength,
                      int minThumb);

// Whether painting shows the thumb of an enabled bar of that length.
bool ThumbShown(const TsScrollInfo& info, int barLength, int buttonLength, int minThumb);

// The element under point p of a bar in rect.
int HitTestBar(const TsScrollInfo& info, const TRect& rect, bool vertical, int buttonLength,
               int minThumb, TPoint p);

// The position a thumb dragged to thumbStart stands for, the track running from trackStart for
// trackLength pixels. Never negative.
int32_t DragPosition(const TsScrollInfo& info, bool vertical, int thumbStart, int trackStart,
                     int trackLength, int thumbLength);

// Where a window's bars lie: its window rectangle, the widths of its own border on each side,
// and the bars it shows.
struct TsBarFrame {
  TRect Window;
  int LeftEdge = 0, TopEdge = 0, RightEdge = 0, BottomEdge = 0;
  int HorzThickness = 0, VertThickness = 0;
  bool HorzVisible = false, VertVisible = false;
  bool LeftScrollBar = false;  // the vertical bar on the left
};
TRect HorzBarRect(const TsBarFrame& frame);
TRect VertBarRect(const TsBarFrame& frame);
// The square between the two bars (their thicknesses, right of the horizontal bar and below the
// vertical one); empty unless both are shown.
TRect SizeCornerRect(const TsBarFrame& frame);
// Whether that square sizes the parent: both bars shown and the window's bottom-right corner
// (bottom-left with the bar on the left), border included, on the parent client's own corner.
bool CornerSizesParent(const TsBarFrame& frame, const TRect& parentClient);
