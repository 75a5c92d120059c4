// A control and every visible windowed control inside it, painted into one bitmap as the screen
// would show them: the picture of a form's final look that its animations show.
#pragma once

#include "framework/Controls.h"
#include "imaging/Bitmap32.h"

class TsSkinProvider;

// Paints control at (x, y) of bitmap, then its visible windowed children, each at its place.
// A form painted with its provider comes with its skinned frame. A hidden control with a parent,
// painted without a provider, shows its parent's background in its rectangle instead. Printed
// pixels carry no alpha: callers that show the bitmap in a layered window make it opaque.
void PaintControlTree(img::Bitmap32& bitmap, fw::TControl* control, int x, int y,
                      TsSkinProvider* provider);
