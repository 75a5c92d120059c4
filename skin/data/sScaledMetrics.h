// The skin's lengths at a display scale. A skin is drawn for 96 DPI; at another scale every value
// that is a length in pixels grows with it (title height, borders, offsets, title-button spacing,
// glow margins and sizes, shadow offset and blur), while colours, percentages, modes and counts
// stay. Lengths are rounded to whole pixels as the system rounds its own metrics.
#pragma once

#include "skin/data/sSkinData.h"

// The GLOBALINFO lengths at dpi. A blur of -1 (none) stays none.
void ScaleGlobalMetrics(TsSkinData& info, int dpi);
// A section's lengths at dpi: glow margin and the glow sizes of its text, held within a byte.
void ScaleSectionMetrics(TsGeneralData& section, int dpi);

// Where the cuts between an image entry's slices fall along one side of a state frame, and where
// they fall at a scale: first pixels from the start (left or top margin) and last pixels from the
// end (right or bottom margin) become exactly their scaled lengths. The frame is its rounded size,
// grown by a pixel where the two rounded margins would not fit into it, and exactly the two
// margins when they fill it at 96 DPI. Margins are held inside the frame first.
struct TsSliceCuts {
  int Size = 0;   // the frame's size at the scale
  int First = 0;  // the first margin at the scale
  int Last = 0;   // the last margin at the scale
};
TsSliceCuts ScaleSliceCuts(int size, int first, int last, int dpi);
