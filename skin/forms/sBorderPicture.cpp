#include "skin/forms/sBorderPicture.h"

#include <algorithm>

#include "skin/render/sMaskSlices.h"

namespace {

bool InAny(const std::vector<const TRect*>& rects, int x) {
  return std::any_of(rects.begin(), rects.end(),
                     [x](const TRect* r) { return x >= r->Left && x < r->Right; });
}

// The rectangles of the list that row y crosses.
void InRow(const std::vector<TRect>& rects, int y, std::vector<const TRect*>& row) {
  row.clear();
  for (const TRect& r : rects)
    if (y >= r.Top && y < r.Bottom) row.push_back(&r);
}

}  // namespace

void ComposeBorderPicture(img::Bitmap32& picture, const img::Bitmap32& windowImage,
                          const TsMaskData& shadow, const TsExtentMargins& margins,
                          const std::vector<TRect>& corners, const std::vector<TRect>& shown) {
  int w = windowImage.Width() + margins.Left + margins.Right;
  int h = windowImage.Height() + margins.Top + margins.Bottom;
  if (picture.Width() != w || picture.Height() != h)
    picture.Resize(w, h);
  else
    picture.Fill({0, 0, 0, 0});
  if (picture.Empty()) return;
  if (shadow.StateCount > 0) PaintMaskSlicesAlpha(picture, {0, 0, w, h}, shadow, 0, TsBgSource{});
  std::vector<const TRect*> cornersInRow, shownInRow;
  for (int y = 0; y < windowImage.Height(); ++y) {
    const img::TRGBAPixel* src = windowImage.Row(y);
    img::TRGBAPixel* dst = picture.Row(y + margins.Top) + margins.Left;
    InRow(corners, y, cornersInRow);
    InRow(shown, y, shownInRow);
    if (!shown.empty() && shownInRow.empty()) continue;
    for (int x = 0; x < windowImage.Width(); ++x) {
      if (InAny(cornersInRow, x) || (!shown.empty() && !InAny(shownInRow, x))) continue;
      dst[x] = {src[x].B, src[x].G, src[x].R, 255};
    }
  }
}
