// A control's background from its parent: asking the parent (a control or a bare window) what
// lies behind the control, filling the control's transparent corners from that, and painting the
// control's border over it.
#pragma once

#include <windows.h>

#include "framework/Controls.h"
#include "imaging/Bitmap32.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sBgQuery.h"
#include "skin/render/sCommonData.h"

// Asks control (the parent of the asker) for the background with the get-background command.
// When it does not answer: with pleaseDraw it is made to erase and paint itself into
// query.DrawDC, moved so that query.DrawRect of the asker shows the parent at the query's
// offsets and clipped to that rectangle; without, the answer is the control's background colour
// (its get-background-colour answer, or its own colour when that is 0). False only without a
// control.
bool QueryParentBg(TsBgQuery& query, fw::TControl* control, bool pleaseDraw);

// The same for a bare parent window. When the window does not answer and pleaseDraw is not set,
// the answer is manager's global colour (the button face without a manager). True only when the
// window answered.
bool QueryParentWindowBg(TsBgQuery& query, HWND window, bool pleaseDraw,
                         const TsSkinModel* manager);

// What lies behind the point at of the screen in window's parent (its control's parent when the
// skin data has a host): asks it with the query's offsets set to that point in the parent's
// client. False without a parent.
bool QueryBgBehind(TsBgQuery& query, TsCommonData& skinData, HWND window, POINT at);

// Fills the key pixels of the requested corners (kCornerTopLeft ...) of the control's cached
// picture from what its parent shows. Needs a border entry with transparent corners, a cache and
// a host with a parent control or parent window.
void FillCornersFromParent(TsCommonData& skinData, int state, int corners);

// Paints the control's border into rect of its cache over the parent's background, and an extra
// plain frame of width extra in the control's background colour (see PaintBorderOverParentBg).
// target is where the extra frame ends up; pass the cache itself to keep everything there.
// clientRect receives what is left inside.
void PaintControlBorder(img::Bitmap32& target, TRect rect, int extra, TRect& clientRect, int state,
                        TsCommonData& skinData);
