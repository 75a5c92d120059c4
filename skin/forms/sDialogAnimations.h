// The animations of skinned system dialogs: the dialog's look fading (and zooming) in when it is
// shown and out when it is hidden, in a layered window in its place, by the manager's DialogShow
// and DialogHide settings. Dialogs have no border window, so the picture is the dialog's own
// window image with its controls printed in.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinManagerSettings.h"

class TveDialogWnd;

// Lays the dialog's client area into picture (a copy of its window image) at the client offset
// and makes the picture opaque: copied from the screen while the dialog shows there, or with
// its controls printed.
void CaptureDialogImage(TveDialogWnd& dialog, img::Bitmap32& picture, bool fromScreen);
// Runs after the dialog became visible while invisible by layering: its look fades in within
// timeMs up to alpha, inside the call, and the dialog is shown in its place. False, with
// nothing done, when it has no skinned look or is minimised.
bool AnimateDialogShow(TveDialogWnd& dialog, int timeMs, uint8_t alpha, TveAnimType mode);
// Runs when the dialog was hidden: the cover taken as its hiding began fades out by the
// manager's DialogHide settings on the hide timer.
void AnimateDialogHide(TveDialogWnd& dialog);
