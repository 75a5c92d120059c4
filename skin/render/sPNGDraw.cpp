#include "skin/render/sPNGDraw.h"

#include <cstring>
#include <variant>

#include "skin/render/sAlphaImage.h"
#include "skin/render/sSliceCopy.h"
#include "skin/render/sSliceStretch.h"

namespace {

// The picture's pixels as an opaque 32-bit bitmap.
img::Bitmap32 OpaqueCopy(const img::Picture& picture) {
  const img::RGBAImage rgba = img::ToRGBA(picture);
  img::Bitmap32 out(rgba.width, rgba.height);
  const uint8_t* s = rgba.bytes.data();
  for (int y = 0; y < out.Height(); ++y) {
    img::TRGBAPixel* d = out.Row(y);
    for (int x = 0; x < out.Width(); ++x, s += 4) d[x] = {s[2], s[1], s[0], 255};
  }
  return out;
}

}  // namespace

void DrawPNGGraphic(img::Bitmap32& canvas, TRect rect, const img::TPNGGraphic& graphic) {
  const int w = rect.Width(), h = rect.Height();
  if (w <= 0 || h <= 0 || graphic.Empty()) return;
  const TRect whole{0, 0, graphic.Width(), graphic.Height()};
  const auto* alpha = std::get_if<img::Bitmap32>(&graphic.Image().pixels);
  if (alpha == nullptr) {
    StretchBlock(canvas, rect, OpaqueCopy(graphic.Image()), whole);
    return;
  }
  const bool sameSize = w == graphic.Width() && h == graphic.Height();
  img::Bitmap32 scaled;
  if (!sameSize) {
    scaled.Resize(w, h);
    StretchBlock(scaled, {0, 0, w, h}, *alpha, whole);
  }
  // The blend happens in a copy of the canvas area so that the mirror image fades over its full
  // length even where the canvas ends first.
  const bool reflected = graphic.Reflected && sameSize;
  img::Bitmap32 area(w, reflected ? h + h / 2 : h);
  CopyBlock(area, 0, 0, canvas, {rect.Left, rect.Top, rect.Left + w, rect.Top + area.Height()});
  DrawAlphaImage({0, 0, w, h}, {0, 0, w, h}, area, reflected, 0, kNoTint, false, EmptyBgSource,
                 sameSize ? alpha : &scaled);
  CopyBlock(canvas, rect.Left, rect.Top, area, {0, 0, w, area.Height()});
}
