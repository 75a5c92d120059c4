// The animations of skinned forms: fading (and zooming) in when shown, out when hidden, and the
// new look fading in over the old one when the skin changes. None of them paints intermediate
// frames into the form: a layered window in the form's place shows them while the form is
// invisible or held still underneath, and goes once the form has painted its final look.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Forms.h"
#include "imaging/Bitmap32.h"
#include "skin/data/sSkinManagerSettings.h"

class TsSkinProvider;

// Runs after the form became visible (invisible by layering, see HideByLayering): its final look
// fades in within timeMs up to alpha, in 12 ms frames, inside the call, and the form is shown
// in its place. The provider hears aeShowing at the end. False, with nothing done, when the form
// has no skinned look to show or is minimised.
bool AnimateFormShow(TsSkinProvider& provider, int timeMs, uint8_t alpha, TveAnimType mode);
// Runs when the form was hidden: its last look (the provider's hide snapshot) fades out by the
// manager's FormHide settings on the hide timer.
void AnimateFormHide(TsSkinProvider& provider);
// Runs for a form that the skin manager froze before a new skin was applied: the new look fades
// in over the old one within timeMs, then the form is let go and takes the faded picture as its
// look (a form moved or sized meanwhile paints itself).
void AnimateSkinChange(fw::TForm& form, int timeMs, uint8_t alpha, TveAnimType mode);

// The alpha the form shows when it is shown: its own blend value, or opaque.
uint8_t FormAlpha(const fw::TForm& form);
// Makes the form fully transparent while it is being shown, and gives it its alpha back (its
// own blend value, or no layering at all).
void HideByLayering(fw::TForm& form);
void ShowAfterLayering(fw::TForm& form, uint8_t alpha);
// The provider's form as it looks now with all its visible controls: opaque, of the window
// image's size; with a border window, the border window's picture with the form's client and
// menu band in it.
std::unique_ptr<img::Bitmap32> PaintFinalLook(TsSkinProvider& provider);
// Where that picture stands on the screen: over the form, or over its border window.
RECT FinalLookBounds(TsSkinProvider& provider, const img::Bitmap32& picture);
// Puts picture, the final look painted for an animation that stood at bounds, on the form's
// window and takes the paints its window and children wait for as done: painting them all again
// would give the same pixels. False, with nothing done, when the form no longer stands where the
// picture was painted for; it must paint itself then.
bool PutFinalLookOnForm(TsSkinProvider& provider, const img::Bitmap32& picture, const RECT& bounds);
// Shows picture (the final look) at alpha in a new layered animation window where it stands; a
// maximised form's frame and shadow beyond the work area are cut off, as its border window cuts
// them. Null when no window could be made.
HWND ShowFinalLookWindow(TsSkinProvider& provider, const img::Bitmap32& picture, uint8_t alpha);

// Fills the skin manager's hooks that freeze forms and animate a skin change, and the hooks of
// its application-window handling that concern show and hide animations.
void InstallAnimationHooks();
