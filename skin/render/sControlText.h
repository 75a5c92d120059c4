// A control's text in its skin state's colours: the section's font colour and contours for the
// normal or hot state, with the skin data's hue and saturation, a glow into its cache, the
// WEBBUTTON underline when hot, and the platform's embossed look for unskinned disabled text.
#pragma once

#include <windows.h>

#include <string>

#include "framework/ComCtrls.h"
#include "framework/Controls.h"
#include "skin/render/sCommonData.h"

void PaintControlText(HDC dc, const std::string& text, bool enabled, bool hot,
                      TsCommonData& skinData, UINT format, RECT rect);

// DrawText flags for a control's alignment: vertically centred with tabs expanded, left and
// right swapped (and reading order set) for a right-to-left control.
UINT TextAlignFlags(fw::TControl* control, fw::TAlignment alignment);
