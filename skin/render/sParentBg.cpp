#include "skin/render/sParentBg.h"

#include <algorithm>

#include "skin/data/MaskGeometry.h"
#include "skin/data/SkinSystem.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sBlend.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSliceCopy.h"

namespace {

bool Inside(const img::Bitmap32& b, int x, int y) {
  return x >= 0 && y >= 0 && x < b.Width() && y < b.Height();
}

// One corner block: w x h pixels of the entry's picture at (sx, sy) over the cache at (x, y).
struct CornerBlock {
  int Bit, SX, SY, X, Y, W, H;
};

}  // namespace

void FillCornersFromParentBg(img::Bitmap32& cache, TsMaskData entry, int state, int corners,
                             TRect host, const TsBgQuery& answer) {
  if (entry.CornerTransparency <= 0 || !entry.Owner) return;
  const img::Bitmap32& picture = entry.Image ? *entry.Image : entry.Owner->MasterImage;
  if (entry.Image && entry.StateCount == 0) {
    entry.StateCount = 3;
    entry.MaskRows = 1;
    entry.SrcRect = {0, 0, picture.Width(), picture.Height()};
  }
  if (entry.StateCount <= 0) return;

  const bool fromBitmap = answer.Kind == bgkBitmap && answer.Bitmap;
  if (!fromBitmap && answer.Kind != bgkColor) return;
  const img::TRGBAPixel color = ColorPixel(skin::ColorToRGB(answer.Color), 0);
  const int ox = answer.OffsetX + host.Left, oy = answer.OffsetY + host.Top;
  const bool masked = entry.MaskRows != 0;

  const int fw = FrameWidth(entry), fh = FrameHeight(entry);
  const int x0 = entry.SrcRect.Left + fw * std::clamp(state, 0, entry.StateCount - 1);
  const int y0 = entry.SrcRect.Top;
  const int wl = entry.MarginLeft, wt = entry.MarginTop;
  const int wr = entry.MarginRight, wb = entry.MarginBottom;
  const int w = host.Width(), h = host.Height();
  const CornerBlock blocks[] = {
      {kCornerTopLeft, x0, y0, 0, 0, wl, wt},
      {kCornerBottomLeft, x0, y0 + fh - wb, 0, h - wb, wl, wb},
      {kCornerBottomRight, x0 + fw - wr, y0 + fh - wb, w - wr, h - wb, wr, wb},
      {kCornerTopRight, x0 + fw - wr, y0, w - wr, 0, wr, wt},
  };
  for (const CornerBlock& b : blocks) {
    if (!(corners & b.Bit)) continue;
    for (int j = 0; j < b.H; ++j) {
      for (int i = 0; i < b.W; ++i) {
        const int x = b.X + i, y = b.Y + j;
        if (!Inside(picture, b.SX + i, b.SY + j) || !Inside(cache, x, y)) continue;
        if (!IsKeyPixel(picture.Pixel(b.SX + i, b.SY + j))) continue;
        img::TRGBAPixel& p = cache.Pixel(x, y);
        if (!fromBitmap) {
          p = color;
        } else if (Inside(*answer.Bitmap, x + ox, y + oy)) {
          const img::TRGBAPixel back = answer.Bitmap->Pixel(x + ox, y + oy);
          p = masked ? img::TRGBAPixel{back.B, back.G, back.R, p.A}
                     : img::TRGBAPixel{back.B, back.G, back.R, 0};
        }
      }
    }
  }
}

void PaintBorderOverParentBg(img::Bitmap32& cache, img::Bitmap32& target, TRect rect, int extra,
                             TRect& clientRect, int state, const TsMaskData* border,
                             int32_t plainColor, TPoint hostPos, const TsBgQuery& answer) {
  // A negative extra width would make the client area larger than the control.
  extra = std::max(extra, 0);
  if (!border) {
    if (extra) FillFrameSolid(target, rect, extra, extra, extra, extra, plainColor);
    return;
  }
  state = std::clamp(state, 0, std::max(border->StateCount - 1, 0));
  const int wl = border->MarginLeft, wt = border->MarginTop;
  const int wr = border->MarginRight, wb = border->MarginBottom;
  if (border->MaskRows == 1) {
    // A masked border mixes with what is under it, so the bands must already show the parent.
    if (answer.Kind == bgkBitmap && answer.Bitmap) {
      CopyFrameBands(cache, rect.Left, rect.Top, std::max({wl, wt, wr, wb}), *answer.Bitmap,
                     hostPos.X + answer.OffsetX + rect.Left, hostPos.Y + answer.OffsetY + rect.Top,
                     rect.Width(), rect.Height());
    } else {
      FillFrameSolid(cache, rect, wl, wt, wr, wb, plainColor);
    }
  }
  TsBgSource bg = BgQueryToSource(answer);
  bg.OffsetX += hostPos.X;
  bg.OffsetY += hostPos.Y;
  PaintMaskSlices(cache, rect, *border, state, bg, true);
  clientRect = {rect.Left + wl, rect.Top + wt, rect.Right - wr, rect.Bottom - wb};
  if (!extra) return;

  const int w = rect.Width(), h = rect.Height();
  FillFrameSolid(cache, clientRect, std::max(std::min(extra, w - wr) - wl, 0),
                 std::max(std::min(extra, h - wb) - wt, 0),
                 std::max(std::min(extra, w - wl) - wr, 0),
                 std::max(std::min(extra, h - wt) - wb, 0), plainColor);
  clientRect = {rect.Left + extra, rect.Top + extra, 0, 0};
  clientRect.Right = std::max(rect.Right - extra, clientRect.Left);
  clientRect.Bottom = std::max(rect.Bottom - extra, clientRect.Top);
  if (&target != &cache)
    CopyFrameBands(target, rect.Left, rect.Top, extra, cache, rect.Left, rect.Top, w, h);
}
