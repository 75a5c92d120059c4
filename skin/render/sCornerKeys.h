// The key-colour pixels of an image entry's corners: copying a picture in where a corner is
// transparent, and listing a corner's transparent runs for shaped windows.
#pragma once

#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"

// Hit-test codes that name the corner of an entry FillKeyFromSource tests.
enum : int { kHitTopLeft = 13, kHitTopRight = 14, kHitBottomLeft = 16, kHitBottomRight = 17 };

// Copies source pixels from srcRect's top-left into rect of target wherever a key pixel says
// the target shows through. With maskIndex -1 the target's own pixels are tested; otherwise the
// corner of the manager's image entry named by kind (any other kind is the top-left one), frame
// 0, at the same offset. The block is rect's size, cut where the target, the source or the
// entry's picture ends. An unknown entry copies nothing.
void FillKeyFromSource(img::Bitmap32& target, const img::Bitmap32& source, TRect rect, int kind,
                       const TsSkinModel* manager, int maskIndex, TRect srcRect);

// Appends to list one rectangle per run of key pixels (0x00FF00FF exactly, so a key colour that
// carries alpha is not transparent) in the two top corners of the entry's first frame, or the two
// bottom ones, placed for a target of width targetWidth whose first corner row is at y. Left
// corner rows come first, then the right corner's; the right corner lands at the target's right
// edge. An entry without an owner or picture adds nothing.
void CollectCornerKeyRects(std::vector<TRect>& list, int targetWidth, const TsMaskData& entry,
                           bool bottom, int y);
