// A control's text in its skin state's colours: the section's font colour and contours for the
// normal or hot state, with the skin data's hue and saturation, a glow into its cache, the
// WEBBUTTON underline when hot, and the platform's embossed look for unskinned disabled text.
#pragma once

#include <windows.h>

#include <string>

#include "framework/ComCtrls.h"
#include "framework/Controls.h"
#include "skin/render/sCommonData.h"

// A glow goes into picture, the picture dc draws into; without one, into the skin state's cache.
void PaintControlText(HDC dc, const std::string& text, bool enabled, bool hot,
                      TsCommonData& skinData, UINT format, RECT rect,
                      img::Bitmap32* picture = nullptr);

// DrawText flags for a control's alignment: vertically centred with tabs expanded, with the
// right-to-left reading order for a right-to-left control. Left and right are swapped for a
// control that reads right to left on an unmirrored surface; a mirrored window's surface swaps
// them itself.
UINT TextAlignFlags(fw::TControl* control, fw::TAlignment alignment);
