#include "skin/controls/sProgressGeometry.h"

#include <algorithm>

#include "skin/controls/sScrollGeometry.h"

TRect ProgressFill(TRect track, int32_t low, int32_t high, int32_t pos, bool vertical) {
  if (high <= low || track.Width() <= 0 || track.Height() <= 0)
    return {track.Left, track.Top, track.Left, track.Top};
  const int64_t done = std::clamp<int64_t>(int64_t(pos) - low, 0, int64_t(high) - low);
  const int64_t range = int64_t(high) - low;
  if (vertical) {
    track.Top = track.Bottom - ScaleRounded(track.Height(), done, range);
    return track;
  }
  track.Right = track.Left + ScaleRounded(track.Width(), done, range);
  return track;
}
