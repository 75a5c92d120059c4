// The few system values the skin model reads: system colours and the sizing-frame width. Windows
// asks the system; other builds (tools and tests) use the values of a standard desktop.
#pragma once

#include <cstdint>

namespace skin {

// System colour indices, with the values of the COLOR_* constants they stand for.
enum SystemColorIndex : int {
  kColorWindow = 5,
  kColorWindowText = 8,
  kColorHighlight = 13,
  kColorHighlightText = 14,
  kColorBtnFace = 15,
};

// The current colour (0x00BBGGRR) of a system colour index.
int32_t SysColor(int index);
// A negative colour names a system colour by its low byte; any other colour is returned as it is.
int32_t ColorToRGB(int32_t color);
// Width of a sizing window frame (SM_CXFRAME).
int SystemFrameWidth();

}  // namespace skin
