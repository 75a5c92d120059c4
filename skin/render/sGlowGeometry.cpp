#include "skin/render/sGlowGeometry.h"

TsGlowPlacement GlowPlacement(const TRect& rect, const TRect& visible, const TRect& margins,
                              int inset) {
  TsGlowPlacement p;
  p.FullWidth = rect.Width() + margins.Left + margins.Right - 2 * inset;
  p.FullHeight = rect.Height() + margins.Top + margins.Bottom - 2 * inset;
  if (visible.Width() <= 0 || visible.Height() <= 0) return p;
  int cropRight = 0, cropBottom = 0;
  if (visible.Width() != rect.Width() || visible.Height() != rect.Height()) {
    // A crop on the near side starts the picture at the visible edge; on the far side the
    // picture ends there.
    if (visible.Left != 0) p.CropLeft = margins.Left + visible.Left - inset;
    if (visible.Top != 0) p.CropTop = margins.Top + visible.Top - inset;
    if (visible.Right != rect.Width())
      cropRight = p.CropLeft != 0 ? p.FullWidth - p.CropLeft - visible.Width()
                                  : rect.Width() + margins.Right - visible.Width() - inset;
    if (visible.Bottom != rect.Height())
      cropBottom = p.CropTop != 0 ? p.FullHeight - p.CropTop - visible.Height()
                                  : rect.Height() + margins.Bottom - visible.Height() - inset;
  }
  int width = p.FullWidth - p.CropLeft - cropRight;
  int height = p.FullHeight - p.CropTop - cropBottom;
  // Crops past the picture (a visible part outside the rectangle, or an inset larger than the
  // margins) leave nothing to show rather than a window of negative size.
  if (width <= 0 || height <= 0 || p.CropLeft < 0 || p.CropTop < 0 || cropRight < 0 ||
      cropBottom < 0)
    return p;
  p.Window.Left = rect.Left + inset + p.CropLeft - margins.Left;
  p.Window.Top = rect.Top + inset + p.CropTop - margins.Top;
  p.Window.Right = p.Window.Left + width;
  p.Window.Bottom = p.Window.Top + height;
  return p;
}
