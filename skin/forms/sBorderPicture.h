// The border window's picture: the shadow (or the skin's extended border image) around the
// skinned window's image, with per-pixel alpha, premultiplied, ready for a layered window.
#pragma once

#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/data/sBorderShadows.h"

// Paints picture (resized to the image and the margins): the shadow sliced over the whole of it,
// then the window image at the margins, opaque, except inside corners (the skin's transparent
// corner pixels, in window-image coordinates), where the shadow stays. When the skin's extended
// border is the whole frame, only the parts of the window image listed in shown (the title band,
// the content) are laid over it; an empty list lays all of it.
void ComposeBorderPicture(img::Bitmap32& picture, const img::Bitmap32& windowImage,
                          const TsMaskData& shadow, const TsExtentMargins& margins,
                          const std::vector<TRect>& corners, const std::vector<TRect>& shown = {});
