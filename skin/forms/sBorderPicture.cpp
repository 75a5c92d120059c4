#include "skin/forms/sBorderPicture.h"

#include <algorithm>

#include "skin/render/sMaskSlices.h"

void ComposeBorderPicture(img::Bitmap32& picture, const img::Bitmap32& windowImage,
                          const TsMaskData& shadow, const TsExtentMargins& margins,
                          const std::vector<TRect>& corners) {
  int w = windowImage.Width() + margins.Left + margins.Right;
  int h = windowImage.Height() + margins.Top + margins.Bottom;
  if (picture.Width() != w || picture.Height() != h)
    picture.Resize(w, h);
  else
    picture.Fill({0, 0, 0, 0});
  if (picture.Empty()) return;
  if (shadow.StateCount > 0) PaintMaskSlicesAlpha(picture, {0, 0, w, h}, shadow, 0, TsBgSource{});
  std::vector<const TRect*> inRow;
  for (int y = 0; y < windowImage.Height(); ++y) {
    const img::TRGBAPixel* src = windowImage.Row(y);
    img::TRGBAPixel* dst = picture.Row(y + margins.Top) + margins.Left;
    inRow.clear();
    for (const TRect& c : corners)
      if (y >= c.Top && y < c.Bottom) inRow.push_back(&c);
    for (int x = 0; x < windowImage.Width(); ++x) {
      if (!inRow.empty() && std::any_of(inRow.begin(), inRow.end(), [x](const TRect* c) {
            return x >= c->Left && x < c->Right;
          }))
        continue;
      dst[x] = {src[x].B, src[x].G, src[x].R, 255};
    }
  }
}
