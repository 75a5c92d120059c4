// The pixel side of text painting into 32-bit pictures whose alpha matters: composing a text
// coverage mask in a colour, the soft glow behind a text, the dotted focus frame, and cutting a
// text to a width with an ellipsis. The platform renders the glyphs (sSkinText); everything here
// is plain pixel arithmetic.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"

// Composes a text mask (white where no text, darker where the text covers, per channel) at
// (left, top) of target in colour (0x00BBGGRR): each channel moves towards the colour by the
// mask's coverage of that channel, and covered pixels become opaque. Untouched pixels keep their
// alpha; pixels outside target are skipped.
void ComposeTextMask(img::Bitmap32& target, int left, int top, const img::Bitmap32& mask,
                     int32_t color);

// An 8-bit glow picture: 255 no glow, 0 full glow.
struct TsGlowImage {
  int Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;
};
// Spreads the glow picture over target with its top-left corner at (left, top): colour channels
// move towards colour by the glow, alpha rises with it.
void ComposeGlow(img::Bitmap32& target, int left, int top, const TsGlowImage& glow, int32_t color);

// Dotted focus frame: every third pixel along the edges in dotColor, the one before it in
// secondColor.
void PaintFocusFrame(img::Bitmap32& target, TRect rect, int32_t secondColor, int32_t dotColor);

// The text, cut so that it fits width (measured by width(text)) with "..." after it; empty when
// width is not positive or not even one character fits with the ellipsis.
std::string CutTextToWidth(const std::string& text, int width,
                           const std::function<int(const std::string&)>& measure);
