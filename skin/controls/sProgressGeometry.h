// The arithmetic of a skinned progress bar: how much of its track the bar fills.
#pragma once

#include <cstdint>

#include "skin/data/sSkinData.h"

// The part of track that stands for pos in the range low..high: from the left end, or from the
// bottom for a vertical bar. A position outside the range is taken as its nearest end; an empty
// or inverted range fills nothing.
TRect ProgressFill(TRect track, int32_t low, int32_t high, int32_t pos, bool vertical);
