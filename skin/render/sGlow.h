// Glows: a section's halo picture laid around a control in a window of its own, click-through
// and never activated, directly above the control's top-level window, so the halo can reach
// beyond the control and the form. A glow is never moved: its owner hides it and shows a new one.
#pragma once

#include <windows.h>

#include <string>

#include "skin/data/sSkinModel.h"

// Shows the glow of section's entry property + "0" around rect (screen coordinates), cropped to
// visible (relative to rect); inset pixels of the picture's border lie inside rect. manager null
// means the default one. Returns the glow's handle, or -1 when nothing is shown: no layered
// windows, no entry, or nothing visible.
int ShowGlow(const RECT& rect, const RECT& visible, const std::string& section,
             const TsSkinModel* manager, HWND topLevel, int inset, const std::string& property);
// Frees the glow and sets handle to -1. Handles that name no live glow (-1, hidden already, or
// from before HideAllGlows) free nothing.
void HideGlow(int& handle);
// Frees every glow; every handle given out so far goes stale.
void HideAllGlows();
// The window of a live glow, null for any other handle.
HWND GlowWindow(int handle);
