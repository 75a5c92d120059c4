#include "skin/render/sCornerKeys.h"

#include <algorithm>
#include <cstdint>

#include "skin/data/MaskGeometry.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sBgSource.h"
#include "skin/render/sBlend.h"
#include "skin/render/sSliceCopy.h"

namespace {

const img::Bitmap32* EntryPicture(const TsMaskData& entry) {
  if (!entry.Owner) return nullptr;
  const img::Bitmap32* picture = entry.Image ? entry.Image.get() : &entry.Owner->MasterImage;
  return picture->Empty() ? nullptr : picture;
}

bool Inside(const img::Bitmap32& b, int x, int y) {
  return x >= 0 && y >= 0 && x < b.Width() && y < b.Height();
}

// Where the corner named by kind starts in the entry's picture.
TPoint CornerOrigin(const TsMaskData& entry, int kind) {
  const bool right = kind == kHitTopRight || kind == kHitBottomRight;
  const bool lower = kind == kHitBottomLeft || kind == kHitBottomRight;
  return {entry.SrcRect.Left + (right ? FrameWidth(entry) - entry.MarginRight : 0),
          entry.SrcRect.Top + (lower ? FrameHeight(entry) - entry.MarginBottom : 0)};
}

// Appends the key runs of columns first .. last - 1 of picture row py, moved by dx, at row y.
void CollectRowRuns(std::vector<TRect>& list, const img::Bitmap32& picture, int py, int first,
                    int last, int sx, int dx, int y) {
  int runStart = -1;
  for (int i = first; i <= last; ++i) {
    const bool key =
        i < last && Inside(picture, sx + i, py) && IsKeyPixel(picture.Pixel(sx + i, py));
    if (key && runStart < 0) runStart = i;
    if (!key && runStart >= 0) {
      list.push_back({runStart + dx, y, i + dx, y + 1});
      runStart = -1;
    }
  }
}

}  // namespace

void FillKeyFromSource(img::Bitmap32& target, const img::Bitmap32& source, TRect rect, int kind,
                       const TsSkinModel* manager, int maskIndex, TRect srcRect) {
  const img::Bitmap32* picture = nullptr;
  TPoint corner;
  if (maskIndex != -1) {
    if (!manager || maskIndex < 0 || size_t(maskIndex) >= manager->ImageTable.size()) return;
    const TsMaskData& entry = manager->ImageTable[size_t(maskIndex)];
    picture = entry.Image ? entry.Image.get() : &manager->MasterImage;
    corner = CornerOrigin(entry, kind);
  }
  // The i and j that land inside the target, the source and (for the key test) the picture.
  int64_t i0 = 0, j0 = 0;
  int64_t i1 = std::min(int64_t(rect.Right) - rect.Left, int64_t(source.Width()) - srcRect.Left);
  int64_t j1 = std::min(int64_t(rect.Bottom) - rect.Top, int64_t(source.Height()) - srcRect.Top);
  const auto keepIn = [](int64_t& from, int64_t& to, int64_t start, int64_t size) {
    from = std::max(from, -start);
    to = std::min(to, size - start);
  };
  keepIn(i0, i1, rect.Left, target.Width());
  keepIn(j0, j1, rect.Top, target.Height());
  keepIn(i0, i1, srcRect.Left, source.Width());
  keepIn(j0, j1, srcRect.Top, source.Height());
  if (picture) {
    keepIn(i0, i1, corner.X, picture->Width());
    keepIn(j0, j1, corner.Y, picture->Height());
  }
  for (int64_t j = j0; j < j1; ++j) {
    const int ty = int(rect.Top + j), sy = int(srcRect.Top + j);
    for (int64_t i = i0; i < i1; ++i) {
      const int tx = int(rect.Left + i), sx = int(srcRect.Left + i);
      const uint32_t tested = picture
                                  ? PixelValue(picture->Pixel(int(corner.X + i), int(corner.Y + j)))
                                  : PixelValue(target.Pixel(tx, ty));
      if ((tested & 0xFFFFFF) == kKeyPixel) target.Pixel(tx, ty) = source.Pixel(sx, sy);
    }
  }
}

void CollectCornerKeyRects(std::vector<TRect>& list, int targetWidth, const TsMaskData& entry,
                           bool bottom, int y) {
  const img::Bitmap32* picture = EntryPicture(entry);
  if (!picture || entry.MaskRows < 0 || entry.StateCount <= 0) return;
  const int rows = bottom ? entry.MarginBottom : entry.MarginTop;
  const int firstRow = entry.SrcRect.Top + (bottom ? FrameHeight(entry) - entry.MarginBottom : 0);
  // Every row read must lie inside the picture.
  if (rows <= 0 || firstRow < 0 || picture->Height() < firstRow + rows) return;
  const int fw = FrameWidth(entry);
  const int sx = entry.SrcRect.Left;
  for (int r = 0; r < rows; ++r)
    CollectRowRuns(list, *picture, firstRow + r, 0, entry.MarginLeft, sx, 0, y + r);
  for (int r = 0; r < rows; ++r)
    CollectRowRuns(list, *picture, firstRow + r, fw - entry.MarginRight, fw, sx, targetWidth - fw,
                   y + r);
}
