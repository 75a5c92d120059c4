// What a skinned frame does with its window image on a real window, the same for a form's
// provider and a system dialog's adapter: the frame strips copied to the screen, the region cut
// from the skin's corners, children's background questions answered from the image, and the
// system command a title button stands for.
#pragma once

#include <windows.h>

#include "skin/forms/sTitleButtons.h"
#include "skin/forms/sWindowImage.h"
#include "skin/render/sBgQuery.h"

// Copies everything outside the client rectangle (at client, of the shape's client size) from
// the image to a device context of the whole window.
void CopyFrameStrips(HDC dc, const img::Bitmap32& image, TPoint client, const TsFormShape& shape);

// Sets the window's region for the frame: the skin's transparent corners cut away, or no region
// where the frame wants none. applied tells whether a region of ours is on the window; it is
// kept up to date.
void ApplyFrameRegion(HWND wnd, const TsSkinModel& skin, const TsFramePaint& paint, bool redraw,
                      bool& applied);

// Answers a child's background question from the window image, the client area at client.
void AnswerFromImage(TsBgQuery& query, img::Bitmap32& image, TPoint client);

// The system command of a released title button; 0 for none.
WPARAM TitleSystemCommand(TsTitleCommand command);
