// Text in the skin's colours: a section's font colour for a state, its one-pixel contours drawn
// first, the disabled mix; and text written into 32-bit pictures whose alpha matters, with the
// soft glow some skins put behind captions. The platform draws the glyphs; sTextCompose does the
// pixels.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sTextCompose.h"

// Draws text into rect of dc with the colours of the section's state: contours (left, top,
// right, bottom, each shifted one pixel that way) and then the font colour; disabled text is
// 40 % font colour over 60 % section colour. Without a section the dc's colours are used.
void PaintSkinText(HDC dc, const std::string& text, bool enabled, const TsSkinModel* manager,
                   int state, int sectionIndex, UINT format, RECT rect);

// A state's text: its contours (each colour other than -1, shifted one pixel its way) with
// format, then the text in the font colour with textFormat; tone, when given, maps each colour.
void DrawStateText(HDC dc, const std::string& text, const TsGenState& state, RECT rect, UINT format,
                   UINT textFormat, const std::function<int32_t(int32_t)>& tone);

// Writes text in colour into rect of target with font; covered pixels become opaque.
void PaintTextAlpha(img::Bitmap32& target, HFONT font, const std::string& text, int32_t color,
                    UINT format, TRect rect);
// The same in the section's colours for the normal or hot state (contours when asked), of the
// default manager when none is given; without a section, in the platform's window text colour.
void PaintSkinTextAlpha(img::Bitmap32& target, HFONT font, const std::string& text, bool contours,
                        const TsSkinModel* manager, bool hot, int sectionIndex, UINT format,
                        TRect rect);
// Paints the glow of text (not the text) around rect: the text's shape blurred by size, in
// colour. glow is reused while its size fits, so a caption redrawn at one size blurs once.
void PaintTextGlow(img::Bitmap32& target, HFONT font, const std::string& text, TRect rect,
                   TsGlowImage& glow, int32_t color, int size, int contourBits, UINT format);
// The size text takes in font: wrapped into width with format, or on one line.
SIZE MeasureText(HFONT font, const std::string& text, UINT format, int width, bool wrap);
