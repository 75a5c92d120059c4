// A tiny fixed-width bitmap font for the captions of tool-made pictures: 5 x 7 glyphs for the
// printable ASCII characters, one pixel of space between characters.
#pragma once

#include <string_view>

#include "imaging/Bitmap32.h"

namespace font5x7 {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kAdvance = kGlyphWidth + 1;

// Width in pixels of text drawn by DrawText (0 for an empty text).
int TextWidth(std::string_view text);

// Draws text with its top-left corner at (x, y), pixels outside the bitmap left out. Bytes
// outside printable ASCII are drawn as '?'.
void DrawText(img::Bitmap32& target, int x, int y, std::string_view text, img::TRGBAPixel color);

}  // namespace font5x7
