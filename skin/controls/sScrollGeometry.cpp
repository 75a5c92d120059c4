#include "skin/controls/sScrollGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

int32_t ScaleRounded(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  int64_t n = a * b, d = c;
  int64_t magnitude = (std::llabs(n) + std::llabs(d) / 2) / std::llabs(d);
  int64_t result = (n < 0) != (d < 0) ? -magnitude : magnitude;
  return int32_t(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}

TsThumb ThumbGeometry(const TsScrollInfo& info, int barStart, int barLength, int buttonLength,
                      int minThumb) {
  int track = barLength - 2 * buttonLength;
  int64_t range = int64_t(info.Max) - info.Min + 1;
  int length = 0;
  if (info.Page == 0) {
    length = buttonLength;
  } else if (range > 0) {
    length = ScaleRounded(info.Page, track, range);
    length = buttonLength == 0 && length < kArrowlessThumb ? kArrowlessThumb
                                                           : std::max(length, minThumb);
  }
  int offset = 0;
  if (range > 0) {
    offset =
        ScaleRounded(int64_t(info.Pos) - info.Min, track - length, range - std::max(1, info.Page));
    offset = std::clamp(offset, 0, std::max(0, track - length));
  }
  return {barStart + buttonLength + offset, length};
}

bool ThumbShown(const TsScrollInfo& info, int barLength, int buttonLength, int minThumb) {
  int track = barLength - 2 * buttonLength;
  int check = std::max(ScaleRounded(info.Page, track, int64_t(info.Max) - info.Min), minThumb);
  return check > 0 && check <= track;
}

int HitTestBar(const TsScrollInfo& info, const TRect& rect, bool vertical, int buttonLength,
               int minThumb, TPoint p) {
  int start = vertical ? rect.Top : rect.Left, end = vertical ? rect.Bottom : rect.Right;
  int acrossStart = vertical ? rect.Left : rect.Top,
      acrossEnd = vertical ? rect.Right : rect.Bottom;
  int along = vertical ? p.Y : p.X, across = vertical ? p.X : p.Y;
  if (across < acrossStart || across >= acrossEnd) return kScrollNone;
  int length = end - start;
  int button = 2 * buttonLength < length ? buttonLength : length / 2;
  if (along >= start && along < start + button) return kScrollFirstArrow;
  if (along >= end - button && along < end) return kScrollSecondArrow;
  TsThumb thumb = ThumbGeometry(info, start, length, buttonLength, minThumb);
  if (thumb.Length >= length - 2 * buttonLength) return kScrollNone;
  if (along >= thumb.Start && along < thumb.Start + thumb.Length) return kScrollThumb;
  if (along >= start + button && along < thumb.Start) return kScrollPageBefore;
  if (along >= thumb.Start + thumb.Length && along < end - button) return kScrollPageAfter;
  return kScrollNone;
}

int32_t DragPosition(const TsScrollInfo& info, bool vertical, int thumbStart, int trackStart,
                     int trackLength, int thumbLength) {
  int offset = thumbStart - trackStart;
  int64_t span = int64_t(info.Max) - info.Min;
  if (span < 1) return std::max(0, offset);
  int free = trackLength - thumbLength;
  // A vertical thumb at the end of its track stands for one past the last page.
  if (vertical && offset >= free)
    return int32_t(std::clamp<int64_t>(span - info.Page + 2, 0, INT32_MAX));
  int64_t positions = span - info.Page + (vertical ? 2 : 1);
  return std::max(0, ScaleRounded(offset, positions, free));
}

TRect HorzBarRect(const TsBarFrame& f) {
  TRect r = f.Window;
  int vert = f.VertVisible ? f.VertThickness : 0;
  r.Left += f.LeftEdge + (f.LeftScrollBar ? vert : 0);
  r.Right -= f.RightEdge + (f.LeftScrollBar ? 0 : vert);
  r.Bottom -= f.BottomEdge;
  r.Top = r.Bottom - (f.HorzVisible ? f.HorzThickness : 0);
  return r;
}

TRect VertBarRect(const TsBarFrame& f) {
  TRect r = f.Window;
  r.Top += f.TopEdge;
  r.Bottom -= (f.HorzVisible ? f.HorzThickness : 0) + f.BottomEdge;
  int thickness = f.VertVisible ? f.VertThickness : 0;
  if (f.LeftScrollBar) {
    r.Left += f.LeftEdge;
    r.Right = r.Left + thickness;
  } else {
    r.Right -= f.RightEdge;
    r.Left = r.Right - thickness;
  }
  return r;
}

TRect SizeCornerRect(const TsBarFrame& f) {
  if (!f.HorzVisible || !f.VertVisible) return {};
  TRect h = HorzBarRect(f), v = VertBarRect(f);
  return {v.Left, h.Top, v.Right, h.Bottom};
}

bool CornerSizesParent(const TsBarFrame& f, const TRect& parentClient) {
  if (!f.HorzVisible || !f.VertVisible || f.Window.Bottom != parentClient.Bottom) return false;
  return f.LeftScrollBar ? f.Window.Left == parentClient.Left
                         : f.Window.Right == parentClient.Right;
}
