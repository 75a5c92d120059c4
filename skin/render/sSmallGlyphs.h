// The tiny arrows of split buttons and the glyphs of the framework's older button format: one
// bitmap with one to four images side by side (normal, disabled, pressed, held down), transparent
// where a pixel has the colour of the frame's bottom-left pixel.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"

enum TsArrowDirection : int { adRight = 4, adDown = 8 };

// An 8-pixel-wide down arrow or a 7-pixel-high right arrow centred in the rectangle, in the colour
// (0x00BBGGRR) with alpha 255; other directions draw nothing.
void PaintSmallArrow(img::Bitmap32& target, int32_t color, TRect rect, int direction);

// Copies the pixels of source placed at (x, y) that differ from the key colour (0x00BBGGRR),
// with alpha 255.
void CopyTransparent(img::Bitmap32& target, const img::Bitmap32& source, int x, int32_t key,
                     int y);
// Copies the pixels of the inclusive frame of source that differ from the key colour to (x, y)
// onwards, keeping their alpha.
void CopyTransparentRect(img::Bitmap32& target, const img::Bitmap32& source, int x, int32_t key,
                         TRect frame, int y);

// Glyph states: 0 normal, 1 hot or focused, 2 pressed, 3 held down.
// Effects: bit 0 fades a disabled glyph to half, bit 1 makes it grey.
inline constexpr int kGlyphFadeHalf = 1;
inline constexpr int kGlyphGrey = 2;

// Paints the frame of glyph that the state picks into rect of target. glyph is the 32-bit copy of
// the button's bitmap; fourBit says the original had 4 bits per pixel (its hot and pressed
// frames are then never used).
void PaintButtonGlyph(const img::Bitmap32& glyph, img::Bitmap32& target, TRect rect, int pressed,
                      int blendPercent, int state, int effects, bool enabled, int glyphCount,
                      bool fourBit = false);
