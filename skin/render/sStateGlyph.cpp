#include <algorithm>

#include "skin/data/MaskGeometry.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sBlend.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSliceCopy.h"

void PaintStateGlyph(img::Bitmap32& target, TPoint point, int state, const TsBgSource& bg,
                     const TsMaskData& entry, int mode) {
  if (entry.Owner == nullptr || entry.StateCount <= 0) return;
  const int fw = FrameWidth(entry), fh = FrameHeight(entry);
  if (fw <= 0 || fh <= 0) return;
  const int frame = std::min(std::max(state, 0), entry.StateCount - 1);
  const int left = entry.SrcRect.Left + fw * frame;
  const TRect src{left, entry.SrcRect.Top, left + fw, entry.SrcRect.Top + fh};
  const int maskOffset = entry.MaskRows > 0 ? fh : 0;
  if (entry.Image) {
    // A picture of its own that does not hold the whole entry is not trusted at all.
    const img::Bitmap32& image = *entry.Image;
    if (image.Width() < entry.SrcRect.Right || image.Height() < entry.SrcRect.Bottom) return;
    CopyGlyphMasked(target, point.X, point.Y, image, src, maskOffset, mode);
    return;
  }
  const img::Bitmap32& master = entry.Owner->MasterImage;
  if (maskOffset != 0)
    CopyGlyphMasked(target, point.X, point.Y, master, src, maskOffset, mode);
  else if (mode == 1)
    CopyKeyed(target, point.X, point.Y, master, src, bg, true);
  else
    BlendBitmapKeyed(target, point.X, point.Y, kKeyColor, 0.5,
                     {src.Left, src.Top, src.Right - 1, src.Bottom - 1}, master);
}
