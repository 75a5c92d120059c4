// The master bitmap: every small picture of a skin that lives in one shared bitmap, placed on
// shelves in the order they are added, with a one-pixel key-colour gap around each so that
// neighbours never bleed into each other's slices.
#pragma once

#include <vector>

#include "imaging/Bitmap32.h"
#include "tools/skingen/Canvas.h"

namespace skingen {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// A picture as the skin stores it: pixels that are fully transparent become the key colour
// 0xFF00FF. Masked pictures get a mask band below the image band (grey, 0 = opaque, 255 =
// transparent); unmasked ones drop partial transparency at half coverage.
img::Bitmap32 KeyedPicture(const Layer& layer, bool masked);

class Atlas {
 public:
  explicit Atlas(int width) : width_(width) {}
  // Places the picture (with its mask band when masked) and returns where it lies.
  Rect Add(const Layer& layer, bool masked);
  Rect AddBitmap(const img::Bitmap32& picture);
  // The whole master bitmap, the key colour wherever nothing was placed.
  img::Bitmap32 Build() const;

 private:
  struct Placed {
    Rect rect;
    img::Bitmap32 picture;
  };
  int width_;
  int x_ = 1, y_ = 1, shelfHeight_ = 0;
  std::vector<Placed> placed_;
};

}  // namespace skingen
